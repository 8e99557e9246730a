// Points, sizes and rectangles with the framework's edge rules: a rectangle holds the
// pixels from left/top up to, but not including, right/bottom.
#pragma once
#include "framework/core/Types.h"
#include <algorithm>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

struct CSize {
    int cx = 0, cy = 0;
    CSize() = default;
    CSize(int x, int y) : cx(x), cy(y) {}
    bool operator==(const CSize&) const = default;
    CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
    CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
};

struct CPoint {
    int x = 0, y = 0;
    CPoint() = default;
    CPoint(int px, int py) : x(px), y(py) {}
    explicit CPoint(QPoint p) : x(p.x()), y(p.y()) {}
    QPoint ToQPoint() const { return QPoint(x, y); }
    bool operator==(const CPoint&) const = default;
    CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
    CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
    CPoint operator+(CPoint p) const { return {x + p.x, y + p.y}; }
    CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
    CPoint& operator+=(CSize s) { x += s.cx; y += s.cy; return *this; }
    CPoint& operator-=(CSize s) { x -= s.cx; y -= s.cy; return *this; }
    void Offset(int dx, int dy) { x += dx; y += dy; }
};

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    CRect(CPoint tl, CSize s) : left(tl.x), top(tl.y), right(tl.x + s.cx), bottom(tl.y + s.cy) {}
    CRect(CPoint tl, CPoint br) : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}
    explicit CRect(const QRect& r) : left(r.x()), top(r.y()), right(r.x() + r.width()), bottom(r.y() + r.height()) {}
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
    void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
    void InflateRect(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // Intersection; an empty result is set to all zeros, as the framework does.
    bool IntersectRect(const CRect& a, const CRect& b)
    {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Union of the non-empty rectangles.
    bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty()) { *this = b; }
        else if (b.IsRectEmpty()) { *this = a; }
        else *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        if (IsRectEmpty()) { SetRectEmpty(); return false; }
        return true;
    }
    bool operator==(const CRect&) const = default;
};
using RECT = CRect;
using POINT = CPoint;
using SIZE = CSize;
