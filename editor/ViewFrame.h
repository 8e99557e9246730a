// What the page view needs of the window around it and of the framework document that
// holds its project; the shell implements both, tests stand in for them.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"

class CKJDoc;
class QTreeWidget;

// The child frame of a project window: ruler strip and site tree.
class CViewFrame {
public:
    virtual ~CViewFrame() = default;
    // Ruler position 0 in frame pixels, relative to the view's left edge.
    virtual void SetRulerOffset(int offset) = 0;
    virtual BOOL SetRulerText(const CString& text) = 0;
    // Repaints part of the ruler strip (view-relative x, frame y).
    virtual void RepaintRulerStrip(int left, int top, int right, int bottom) = 0;
    virtual QTreeWidget* GetSiteTree() const = 0;
    virtual int GetTreeWidth() const = 0;
};

// A framework document that holds a website project.
class CProjectHolder {
public:
    virtual ~CProjectHolder() = default;
    virtual CKJDoc& Project() = 0;
};
