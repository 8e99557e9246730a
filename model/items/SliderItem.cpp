#include "model/items/SliderItem.h"
#include "model/Escaping.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "model/Border.h"
#include "model/ItemAction.h"
#include "model/ItemPainting.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"
#include "model/items/MediaFrame.h"

using archive_io::Io;

namespace {

// Replaces every "%d" of a script piece by the slider's number.
CString WithNumber(const char* piece, int n)
{
    CString s(piece);
    s.Replace("%d", CString::Formatted("%d", n));
    return s;
}

} // namespace

void CSliderItem::AttachFrame(CGroupItem& frame)
{
    // The frame refers to its slider by serial; the pointer of a master reference is
    // only for master groups, so it stays empty.
    frame.m_nMaster1Id = m_nSerial;
    frame.m_pMaster1 = nullptr;
}

void CSliderItem::Serialize(CArchive& ar, int version)
{
    CGroupItem::Serialize(ar, version);
    int count = int(m_frames.size());
    Io(ar, count);
    if (ar.IsLoading()) {
        if (count < 0)
            throw CArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(count, 64);
        m_frames.clear();
        for (int i = 0; i < count; ++i) {
            auto frame = std::make_unique<CGroupItem>();
            frame->Serialize(ar, version);
            AttachFrame(*frame);
            m_frames.push_back(std::move(frame));
        }
    } else {
        for (auto& f : m_frames)
            f->Serialize(ar, version);
    }
    Io(ar, m_nInterval);
    Io(ar, m_nTransition);
    Io(ar, m_nSetting1);
    Io(ar, m_nSetting2);
    Io(ar, m_nSetting3);
}

void CSliderItem::SerializeExtra(CArchive& ar, int version)
{
    CGroupItem::SerializeExtra(ar, version);
    for (auto& f : m_frames)
        f->SerializeExtra(ar, version);
}

void CSliderItem::CollectItems(CItemList& list)
{
    CGroupItem::CollectItems(list);
    for (auto& f : m_frames) {
        list.push_back(f.get());
        f->CGroupItem::CollectItems(list);
    }
}

void CSliderItem::SetSiteStyles(CSiteStyles* styles)
{
    CGroupItem::SetSiteStyles(styles);
    for (auto& f : m_frames)
        f->SetSiteStyles(styles);
}

void CSliderItem::SetRect(int left, int top, int right, int bottom)
{
    CItem::SetRect(left, top, right, bottom);
    for (auto& f : m_frames) {
        f->m_nWidth = m_nWidth;
        f->m_nHeight = m_nHeight;
    }
}

bool CSliderItem::ExportFiles(CPublishContext& context)
{
    CGroupItem::ExportFiles(context);
    for (auto& f : m_frames)
        f->CGroupItem::ExportFiles(context);
    return true;
}

CString CSliderItem::GetStyle()
{
    return CItem::GetStyle() + "overflow:hidden;";
}

void CSliderItem::LayoutChildren()
{
    CGroupItem::LayoutChildren();
    for (auto& f : m_frames)
        f->CGroupItem::LayoutChildren();
}

CGroupItem* CSliderItem::AddFrame()
{
    auto frame = std::make_unique<CGroupItem>();
    frame->m_bPositioned = 1;
    frame->m_nX = frame->m_nY = 0;
    frame->m_nWidth = m_nWidth;
    frame->m_nHeight = m_nHeight;
    AttachFrame(*frame);
    m_frames.push_back(std::move(frame));
    MakeFrameName();
    return m_frames.back().get();
}

void CSliderItem::MakeFrameName()
{
    const CString base = GetHtmlId();
    for (size_t i = 0; i < m_frames.size(); ++i)
        m_frames[i]->m_strName.Format("%sFrame%d", base.GetString(), int(i + 1));
}

CGroupItem* CSliderItem::AddPicture(CImageItem* picture)
{
    CGroupItem* frame = AddFrame();
    if (!frame->m_pFill)
        frame->m_pFill = std::make_unique<CFillStyle>();
    frame->m_pFill->m_crColor = 0xADADAD;
    const int rw = picture->m_nRenderWidth, rh = picture->m_nRenderHeight;
    if ((rw > m_nWidth || rh > m_nHeight) && rw > 0 && m_nWidth > 0 && m_nHeight > 0) {
        ResizeItemPicture(*picture, m_nWidth, int(std::int64_t(rh) * m_nWidth / rw));
        const int offset = std::max((picture->m_picture.GetHeight() - m_nHeight) / 2, 0);
        CropImage(*picture, 0, offset, m_nWidth, offset + m_nHeight);
    }
    picture->Render(0);
    picture->RecalcLayout();
    frame->AddChild(picture);
    return frame;
}

CString CSliderItem::GetScript()
{
    const int count = int(m_frames.size());
    if (count < 2)
        return CString();
    const int n = m_nSerial;
    const int wait = m_nInterval * 1000;
    CString s = CString::Formatted("slides%d = new Array(", n);
    for (int i = 0; i < count; ++i)
        s += CString(i ? "," : "") + "\"" + EscapeJsString(m_frames[size_t(i)]->m_strName) + "\"";
    s += ");";
    s += CString::Formatted("slide%dNo = 0;slide%dNx = 1;slide%dW = %d;slide%dH = %d;slide%dCnt = %d;", n, n, n, m_nWidth, n, m_nHeight, n, count);
    if (m_nTransition <= 3) {
        static const char* const kMoves[4] = {
            "slideP2 = -slide%dW * easing%d[i%dI];slideP1 = slide%dW * (1-easing%d[i%dI]);",
            "slideP2 = slide%dW * easing%d[i%dI]; slideP1 = -slide%dW * (1-easing%d[i%dI]);",
            "slideP2 = -slide%dH * easing%d[i%dI];slideP1 = slide%dH * (1-easing%d[i%dI]);",
            "slideP2 = slide%dH * easing%d[i%dI]; slideP1 = -slide%dH * (1-easing%d[i%dI]);",
        };
        const int t = m_nTransition < 0 ? 0 : m_nTransition;
        const char* side = t <= 1 ? "left" : "top";
        s += WithNumber("easing%d = new Array(0.95,0.73,0.56,0.43,0.32,0.20,0.12,0.06,0.03,0.0);", n);
        s += WithNumber("function inout%d(){", n);
        s += WithNumber(kMoves[t], n);
        s += WithNumber("slide%dNx = slide%dNo+1;", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.", n) + side + " = slideP1 + \"px\";";
        s += WithNumber("document.getElementById(slides%d[slide%dNx%slide%dCnt]).style.", n) + side + " = slideP2 + \"px\";";
        s += WithNumber("document.getElementById(slides%d[slide%dNx%slide%dCnt]).style.visibility = \"visible\";", n);
        s += WithNumber("i%dI ++; if(i%dI<10) { setTimeout(inout%d,50); return; }", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.visibility = \"hidden\";", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.opacity = \"1\";", n);
        s += CString::Formatted("slide%dNo ++; if(slide%dNo>=%d) slide%dNo = 0; i%dI=0; setTimeout(start%dS,%d); }", n, n, count, n, n, n, wait);
        s += CString::Formatted("function start%dS() {  i%dI = 0; setTimeout(inout%d,50); } setTimeout(start%dS,%d); ", n, n, n, n, wait);
    } else {
        s += WithNumber("function fade%dI() { bg%dO += 0.1; slide%dNx = slide%dNo+1;", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.opacity = 1-bg%dO;", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNx%slide%dCnt]).style.visibility = \"visible\";", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNx%slide%dCnt]).style.opacity = bg%dO;", n);
        s += WithNumber("i%dI ++; if(i%dI<10) { setTimeout(fade%dI,50); return; } ", n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.visibility = \"hidden\";slide%dNo ++;", n);
        s += CString::Formatted("if(slide%dNo>=%d) slide%dNo = 0;", n, count, n);
        s += WithNumber("document.getElementById(slides%d[slide%dNo%slide%dCnt]).style.opacity = \"1\"; i%dI=0; ", n);
        s += CString::Formatted("setTimeout(start%dF,%d); }", n, wait);
        s += WithNumber("function start%dF() {  bg%dO = 0;  i%dI = 0;  setTimeout(fade%dI,50); }", n);
        s += CString::Formatted("setTimeout(start%dF,%d);", n, wait);
    }
    return s;
}

void CSliderItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    MakeFrameName();
    const CString script = GetScript();
    if (!script.IsEmpty())
        out.Append("<script type=\"text/javascript\">" + script + "</script>");
    CString style = GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    out.Append("<div");
    out.AppendAttribute("id", GetHtmlId());
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    out.Append(">");
    out.AppendLine();
    for (size_t i = 0; i < m_frames.size(); ++i) {
        CGroupItem& frame = *m_frames[i];
        // Frames after the first start hidden on the page only.
        const int hidden = frame.m_bHidden;
        if (i > 0)
            frame.m_bHidden = 1;
        frame.CGroupItem::WriteHtml(out);
        frame.m_bHidden = hidden;
    }
    for (const auto& child : GetChildren()) {
        if (child->m_pFill)
            child->m_pFill->m_pFolder = out.m_pPageFolder;
        child->WriteHtml(out);
    }
    out.Append("</div>");
    out.AppendLine();
}

void CSliderItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CItem::Draw(dc);
    const int saved = dc->SaveDC();
    ClipToBox(dc, m_nWidth, m_nHeight);
    // The first frame, as the page shows the slider when it opens.
    if (!m_frames.empty() && m_frames.front()) {
        const int inner = dc->SaveDC();
        dc->OffsetViewportOrg(m_frames.front()->m_nX, m_frames.front()->m_nY);
        m_frames.front()->Draw(dc);
        dc->RestoreDC(inner);
    }
    for (const auto& child : GetChildren()) {
        const int inner = dc->SaveDC();
        dc->OffsetViewportOrg(child->m_nX, child->m_nY);
        child->Draw(dc);
        dc->RestoreDC(inner);
    }
    if (HasNoPaintedBorder(*this))
        dc->DrawFocusRect(CRect(0, 0, m_nWidth, m_nHeight));
    DrawPlaceholder(*this, dc, GetHtmlId(), 0xFF80FF);
    dc->RestoreDC(saved);
}
