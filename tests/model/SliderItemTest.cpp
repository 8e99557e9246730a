#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/DcTestSupport.h"
#include "model/PageOutput.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"
#include "model/items/SliderItem.h"
#include "support/ExternalTools.h"
#include <gtest/gtest.h>

namespace {

CString Numbered(const char* text, int n)
{
    CString s(text);
    s.Replace("%d", CString::Formatted("%d", n));
    s.Replace("%%", "%");
    return s;
}

std::unique_ptr<CSliderItem> MakeSlider(int frames, int transition, const char* name = "Show")
{
    auto s = std::make_unique<CSliderItem>();
    s->m_strName = name;
    s->m_nWidth = 400;
    s->m_nHeight = 300;
    s->m_nTransition = transition;
    for (int i = 0; i < frames; ++i)
        s->AddFrame();
    return s;
}

TEST(SliderItem, SlideAndFadeScriptTexts)
{
    const CString head = "slides%d = new Array(\"ShowFrame1\",\"ShowFrame2\",\"ShowFrame3\");slide%dNo = 0;slide%dNx = 1;slide%dW = 400;slide%dH = 300;slide%dCnt = 3;";
    const CString slideStart = "easing%d = new Array(0.95,0.73,0.56,0.43,0.32,0.20,0.12,0.06,0.03,0.0);function inout%d(){";
    const CString slideEnd = "document.getElementById(slides%d[slide%dNx%%slide%dCnt]).style.visibility = \"visible\";"
        "i%dI ++; if(i%dI<10) { setTimeout(inout%d,50); return; }"
        "document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.visibility = \"hidden\";"
        "document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.opacity = \"1\";"
        "slide%dNo ++; if(slide%dNo>=3) slide%dNo = 0; i%dI=0; setTimeout(start%dS,3000); }"
        "function start%dS() {  i%dI = 0; setTimeout(inout%d,50); } setTimeout(start%dS,3000); ";
    const struct {
        int transition;
        const char* move;
        const char* side;
    } slides[] = {
        {0, "slideP2 = -slide%dW * easing%d[i%dI];slideP1 = slide%dW * (1-easing%d[i%dI]);", "left"},
        {1, "slideP2 = slide%dW * easing%d[i%dI]; slideP1 = -slide%dW * (1-easing%d[i%dI]);", "left"},
        {2, "slideP2 = -slide%dH * easing%d[i%dI];slideP1 = slide%dH * (1-easing%d[i%dI]);", "top"},
        {3, "slideP2 = slide%dH * easing%d[i%dI]; slideP1 = -slide%dH * (1-easing%d[i%dI]);", "top"},
    };
    for (const auto& c : slides) {
        SCOPED_TRACE(c.transition);
        auto s = MakeSlider(3, c.transition);
        const int n = s->m_nSerial;
        const CString moves = CString("slide%dNx = slide%dNo+1;document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.") + c.side
            + " = slideP1 + \"px\";document.getElementById(slides%d[slide%dNx%%slide%dCnt]).style." + c.side + " = slideP2 + \"px\";";
        EXPECT_EQ(s->GetScript(), Numbered(head + slideStart + c.move + moves + slideEnd, n));
        EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(s->GetScript().GetString())), QByteArray());
    }
    auto f = MakeSlider(3, 4);
    f->m_nInterval = 5;
    const CString fade = "function fade%dI() { bg%dO += 0.1; slide%dNx = slide%dNo+1;"
        "document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.opacity = 1-bg%dO;"
        "document.getElementById(slides%d[slide%dNx%%slide%dCnt]).style.visibility = \"visible\";"
        "document.getElementById(slides%d[slide%dNx%%slide%dCnt]).style.opacity = bg%dO;"
        "i%dI ++; if(i%dI<10) { setTimeout(fade%dI,50); return; } "
        "document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.visibility = \"hidden\";slide%dNo ++;"
        "if(slide%dNo>=3) slide%dNo = 0;"
        "document.getElementById(slides%d[slide%dNo%%slide%dCnt]).style.opacity = \"1\"; i%dI=0; "
        "setTimeout(start%dF,5000); }"
        "function start%dF() {  bg%dO = 0;  i%dI = 0;  setTimeout(fade%dI,50); }"
        "setTimeout(start%dF,5000);";
    EXPECT_EQ(f->GetScript(), Numbered(head + fade, f->m_nSerial));
    EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(f->GetScript().GetString())), QByteArray());
}

TEST(SliderItem, HtmlHidesLaterFramesOnThePageOnly)
{
    auto s = MakeSlider(3, 4);
    s->m_strName = "Renamed";
    CPageOutput out;
    s->WriteHtml(out);
    const CString html = out.m_strBody;
    EXPECT_EQ(s->m_frames[2]->m_strName, "RenamedFrame3");
    const CString script = "<script type=\"text/javascript\">" + s->GetScript() + "</script>";
    ASSERT_EQ(html.Left(script.GetLength()), script);
    const CString div = "<div id=\"Renamed\" style=\"" + s->GetStyle() + "\">\r\n";
    EXPECT_EQ(html.Mid(script.GetLength(), div.GetLength()), div);
    EXPECT_NE(s->GetStyle().Find("overflow:hidden;"), -1);
    for (int i = 0; i < 3; ++i) {
        const int at = html.Find(CString::Formatted("id=\"RenamedFrame%d\"", i + 1));
        ASSERT_GE(at, 0);
        const int start = html.Left(at).ReverseFind('<');
        const bool hidden = html.Mid(start, at - start).Find("visibility:hidden;") >= 0;
        EXPECT_EQ(hidden, i > 0) << i;
        EXPECT_EQ(s->m_frames[size_t(i)]->m_bHidden, 0) << "the model keeps frame " << i << " shown";
    }
    out.AssemblePage();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
}

TEST(SliderItem, FewerThanTwoFramesWriteNoScript)
{
    for (int frames : {0, 1}) {
        auto s = MakeSlider(frames, 1);
        EXPECT_TRUE(s->GetScript().IsEmpty());
        CPageOutput out;
        s->WriteHtml(out);
        EXPECT_EQ(out.m_strBody.Find("<script"), -1) << frames;
    }
}

// Runs the page's script in node against a stand-in document and a clock of our own,
// and reports which frame is visible at each of several moments.
std::string RunFrames(const CString& script)
{
    const QByteArray harness = R"JS(
var els = {}; var timers = [];
var document = { getElementById: function(id) { if (!els[id]) els[id] = { style: { visibility: id.indexOf('Frame1') >= 0 ? 'visible' : 'hidden' } }; return els[id]; } };
var now = 0;
function setTimeout(f, ms) { timers.push({ at: now + ms, f: f }); }
function runUntil(t) {
  for (;;) {
    timers.sort(function(a, b) { return a.at - b.at; });
    if (!timers.length || timers[0].at > t) break;
    var next = timers.shift(); now = next.at; next.f();
  }
  now = t;
}
function shown() { var out = []; for (var k in els) if (els[k].style.visibility !== 'hidden') out.push(k); return out.sort().join('+'); }
)JS";
    const QByteArray probe = R"JS(
var log = [];
['ShowFrame1','ShowFrame2','ShowFrame3'].forEach(function(id) { document.getElementById(id); });
[1000, 3200, 3600, 7200, 10800].forEach(function(t) { runUntil(t); log.push(shown()); });
console.log(log.join(' '));
)JS";
    const testsupport::ProcessResult r = testsupport::RunProcess(QStringLiteral("node"), {QStringLiteral("-e"), QString::fromUtf8(harness + script.GetString() + probe)});
    return QByteArray(r.out.trimmed() + r.err).toStdString();
}

TEST(SliderItem, ScriptsPassFromFrameToFrame)
{
    for (int transition : {1, 2, 4}) {
        SCOPED_TRACE(transition);
        auto s = MakeSlider(3, transition);
        // Before the first change frame 1 shows; during the change both; afterwards the
        // next one alone, and after the third change the first again.
        EXPECT_EQ(RunFrames(s->GetScript()), "ShowFrame1 ShowFrame1+ShowFrame2 ShowFrame2 ShowFrame3 ShowFrame1");
    }
}

TEST(SliderItem, PicturesBecomeFramesScaledAndCropped)
{
    struct Case {
        int w, h;
        int pictureW, pictureH;
    };
    const Case cases[] = {{800, 400, 400, 200}, {400, 900, 400, 300}, {200, 100, 200, 100}, {1200, 300, 400, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w * 10000 + c.h);
        auto s = MakeSlider(0, 1);
        auto* image = new CImageItem;
        image->m_picture.Create(c.w, c.h);
        // Rows coloured by their position tell where the crop was taken.
        for (int y = 0; y < c.h; ++y) {
            const CRect row(0, y, c.w, y + 1);
            image->m_picture.FillRect(std::uint32_t(y * 255 / c.h) << 8, &row);
        }
        image->m_nRenderWidth = c.w;
        image->m_nRenderHeight = c.h;
        image->m_nX = 7;
        SaveItemPictureTemp(*image);
        CGroupItem* frame = s->AddPicture(image);
        ASSERT_EQ(s->m_frames.size(), 1u);
        EXPECT_EQ(frame->m_pFill->m_crColor, 0xADADADu);
        ASSERT_EQ(frame->GetChildCount(), 1);
        EXPECT_EQ(frame->GetChild(0), image);
        EXPECT_EQ(image->m_picture.GetWidth(), c.pictureW);
        EXPECT_EQ(image->m_picture.GetHeight(), c.pictureH);
        EXPECT_EQ(image->m_nRenderWidth, c.pictureW);
        EXPECT_TRUE(image->StateBitmap(0).IsValid());
        if (c.h == 900) {
            // The middle third was kept: its top row is green 85.
            image->m_picture.BeginPixels();
            EXPECT_NEAR(int((image->m_picture.GetPixel(10, 0) >> 8) & 0xFF), 85, 2);
            image->m_picture.EndPixels();
        }
    }
    // A picture without a render size is taken as it is.
    auto s = MakeSlider(0, 1);
    auto* empty = new CImageItem;
    s->AddPicture(empty);
    EXPECT_EQ(s->m_frames[0]->GetChild(0), empty);
}

TEST(SliderItem, FramesFollowTheSliderAndAreCollected)
{
    auto s = MakeSlider(2, 1);
    auto* caption = new CItem;
    s->AddChild(caption);
    auto* inFrame = new CItem;
    s->m_frames[1]->AddChild(inFrame);
    s->SetRect(10, 20, 110, 70);
    for (auto& f : s->m_frames) {
        EXPECT_EQ(f->m_nWidth, 100);
        EXPECT_EQ(f->m_nHeight, 50);
        EXPECT_EQ(f->m_nMaster1Id, s->m_nSerial);
    }
    CItemList list;
    s->CollectItems(list);
    const CItemList expected = {caption, s->m_frames[0].get(), s->m_frames[1].get(), inFrame};
    EXPECT_EQ(list, expected);
}

TEST(SliderItem, RecordRoundTripKeepsFrames)
{
    auto s = MakeSlider(3, 2);
    s->m_nInterval = 7;
    s->m_nSetting2 = 5;
    s->m_frames[2]->AddChild(new CGroupItem);
    s->AddChild(new CGroupItem);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        s->Serialize(ar, kVersionCurrent);
        s->SerializeExtra(ar, kVersionCurrent);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CSliderItem back;
    back.Serialize(ar, kVersionCurrent);
    back.SerializeExtra(ar, kVersionCurrent);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    ASSERT_EQ(back.m_frames.size(), 3u);
    EXPECT_EQ(back.m_frames[2]->GetChildCount(), 1);
    EXPECT_EQ(back.GetChildCount(), 1);
    EXPECT_EQ(back.m_nInterval, 7);
    EXPECT_EQ(back.m_nTransition, 2);
    EXPECT_EQ(back.m_nSetting2, 5);
    EXPECT_EQ(back.m_frames[0]->m_nMaster1Id, back.m_nSerial);
    EXPECT_EQ(back.m_frames[1]->m_strName, "ShowFrame2");
}

// The page opens a slider on its first frame: the canvas shows that frame under the
// slider's own children, and no later frame.
TEST(SliderItem, PaintsFirstFrameAndOwnChildrenClipped)
{
    dctest::EnsureGuiApplication();
    auto s = MakeSlider(2, 1);
    s->m_nWidth = 100;
    s->m_nHeight = 80;
    auto* box = new CItem;
    box->m_crLayoutBack = RGB(0, 0, 255);
    box->m_nX = 60;
    box->m_nY = 10;
    box->m_nWidth = 100; // reaches past the slider
    box->m_nHeight = 20;
    s->AddChild(box);
    auto* hiddenInFrame = new CItem;
    hiddenInFrame->m_crLayoutBack = RGB(255, 0, 0);
    hiddenInFrame->m_nWidth = hiddenInFrame->m_nHeight = 50;
    s->m_frames[0]->AddChild(hiddenInFrame);
    auto* inLaterFrame = new CItem;
    inLaterFrame->m_crLayoutBack = RGB(0, 255, 0);
    inLaterFrame->m_nX = 20;
    inLaterFrame->m_nY = 55;
    inLaterFrame->m_nWidth = inLaterFrame->m_nHeight = 20;
    s->m_frames[1]->AddChild(inLaterFrame);
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        s->Draw(&dc);
    }
    EXPECT_EQ(image.pixel(70, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(120, 20), qRgb(255, 255, 255)); // clipped at the slider's edge
    EXPECT_EQ(image.pixel(25, 25), qRgb(255, 0, 0));       // the first frame
    EXPECT_NE(image.pixel(30, 65), qRgb(0, 255, 0));       // not a later one
}

} // namespace
