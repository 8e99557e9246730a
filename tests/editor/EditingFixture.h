// A page on a view, driven by synthetic mouse and key events in page units.
#pragma once
#include "EditorTestSupport.h"

#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <memory>
#include <vector>

namespace edtest {

struct EditCanvas {
    CKJDoc doc;
    CPage* page = nullptr;
    std::unique_ptr<ViewFixture> f;
    CKJView& view() { return f->view; }

    explicit EditCanvas(int w = 600, int h = 400)
    {
        page = AddPage(doc, w, h, 0xFFFFFF);
        doc.m_bGridOn = 0;
        doc.m_bShowGuides = 0;
        f = std::make_unique<ViewFixture>(doc);
        f->view.SetCurrentPage(page);
    }
    CItem* Add(int type, int x, int y, int w = 100, int h = 50, bool positioned = true)
    {
        CItem* item = CreateItem(type);
        item->m_bPositioned = positioned ? 1 : 0;
        item->m_nX = x;
        item->m_nY = y;
        item->m_nWidth = w;
        item->m_nHeight = h;
        page->AddChild(item);
        return item;
    }
    // Laid out as the project lays out a page read back (styles bound).
    void LayOut()
    {
        page->SetSiteStyles(&doc.m_styles);
        page->RecalcLayout();
        page->LayoutChildren();
    }
    QPointF Client(int x, int y) const
    {
        const CPoint c = f->view.PageToClient(CPoint(x, y));
        return QPointF(c.x, c.y);
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
    {
        QMouseEvent e(type, Client(x, y), Client(x, y), button, buttons, mods);
        QApplication::sendEvent(&f->view, &e);
    }
    void Move(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButtons held = Qt::LeftButton)
    {
        Mouse(QEvent::MouseMove, x, y, Qt::NoButton, held, mods);
    }
    void Hover(int x, int y) { Move(x, y, Qt::NoModifier, Qt::NoButton); }
    void Press(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        Hover(x, y);
        Mouse(QEvent::MouseButtonPress, x, y, button, button, mods);
    }
    void Release(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton, mods);
    }
    void DoubleClick(int x, int y)
    {
        Press(x, y);
        Release(x, y);
        Mouse(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        Release(x, y);
    }
    // Press, move in steps to the end point, release.
    // Shift is held for the moves only: a Shift press toggles the selection instead.
    void Drag(int x0, int y0, int x1, int y1, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Press(x0, y0, mods & ~Qt::ShiftModifier);
        Move((x0 + x1) / 2, (y0 + y1) / 2, mods);
        Move(x1, y1, mods);
        Release(x1, y1, mods);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(&f->view, &e);
    }
    void Undo() { ExecuteCommand(&f->view, ID_EDIT_UNDO); }
};

// Three flowing children on the page, laid out.
struct FlowCanvas : EditCanvas {
    CItem *f1, *f2, *f3;
    FlowCanvas()
    {
        f1 = Add(ITEM_GROUP, 0, 0, 200, 40, false);
        f2 = Add(ITEM_GROUP, 0, 0, 200, 40, false);
        f3 = Add(ITEM_GROUP, 0, 0, 200, 40, false);
        LayOut();
    }
    std::vector<CItem*> Order() const
    {
        std::vector<CItem*> out;
        for (const auto& child : page->GetChildren())
            out.push_back(child.get());
        return out;
    }
};

// The container's record as an undo snapshot holds it.
inline std::vector<BYTE> RecordBytes(CItem& item)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        item.Serialize(ar, kVersionMemory);
        item.SerializeExtra(ar, kVersionMemory);
        ar.Close();
    }
    return file.Bytes();
}

// Where two records first differ (for messages); -1 when equal.
inline long FirstDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return long(i);
    return a.size() == b.size() ? -1 : long(n);
}

// Saves an image under the screenshot folder when one is given.
inline void SaveScreenshot(const QImage& image, const char* name)
{
    const QByteArray dir = qgetenv("TESSEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    image.save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

} // namespace edtest
