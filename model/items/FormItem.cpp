#include "model/items/FormItem.h"
#include "model/Escaping.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Dc.h"
#include "framework/core/Exceptions.h"
#include "model/ItemPlaceholder.h"
#include "model/PageOutput.h"
#include "model/PictureFiles.h"
#include "model/PublishContext.h"
#include "model/SiteObject.h"
#include "model/Translate.h"
#include "model/items/FormFieldItem.h"

using archive_io::Io;

namespace {

constexpr int kSendByMail = 3;

bool IsValidatedField(int type)
{
    switch (type) {
    case ITEM_INPUT_FIELD:
    case ITEM_RADIO_CHOICE:
    case ITEM_LIST_CONTROL:
    case ITEM_DATE_PICKER:
    case ITEM_TEXT_AREA:
    case ITEM_CHECK_BOX:
        return true;
    default:
        return false;
    }
}

CFormFieldItem* AsValidatedField(CItem* item)
{
    return item && IsValidatedField(item->m_nType) ? dynamic_cast<CFormFieldItem*>(item) : nullptr;
}

bool HasLineBreak(const CString& text)
{
    return text.Find('\r') >= 0 || text.Find('\n') >= 0;
}

} // namespace

void CFormItem::Serialize(CArchive& ar, int version)
{
    CGroupItem::Serialize(ar, version);
    m_action2.Serialize(ar, version);
    m_action1.Serialize(ar, version);
    Io(ar, m_nMethod);
    if (ar.IsStoring() || version >= 86) {
        Io(ar, m_nEncoding);
        Io(ar, m_nOption);
    }
}

bool CFormItem::HasRequiredField()
{
    for (const auto& child : GetChildren()) {
        CFormFieldItem* field = AsValidatedField(child.get());
        if (field && field->IsRequired())
            return true;
    }
    return false;
}

bool CFormItem::SendsMail() const
{
    const CString& address = m_link.m_strEmail;
    return m_link.m_nKind == kSendByMail && address.Find('@') > 0 && !HasLineBreak(address);
}

CString CFormItem::GetMailerName(int mode) const
{
    CString name = CString::Formatted("form%dmailer.php", m_nSerial);
    if (mode < kPublishUpload)
        name += ".html";
    return name;
}

CString CFormItem::BuildMailer(int mode) const
{
    // Every text of the project stands in a single-quoted literal or is escaped for the
    // page; form input only ever reaches the mail body.
    CString php = "<?php\n";
    php += "$to = " + PhpQuoted(m_link.m_strEmail) + ";\n";
    php += "$subject = " + PhpQuoted(MailHeaderText(m_link.m_strSubject)) + ";\n";
    php += "$content = '';\n";
    php += "if (($_SERVER['REQUEST_METHOD'] ?? '') === 'POST') {\n";
    php += "    foreach ($_POST as $key => $value) {\n";
    php += "        if ((string)$key !== 'x' && (string)$key !== 'y') {\n";
    php += "            if (is_array($value)) { $value = implode(', ', $value); }\n";
    php += "            $content .= $key . ' : ' . $value . \"\\n\";\n";
    php += "        }\n";
    php += "    }\n";
    php += "}\n";
    // The visitor reads the mail body only when a mail went out, the failure otherwise.
    php += "$sent = false;\n";
    php += "if ($content !== '' && strpbrk($to . $subject, \"\\r\\n\") === false) {\n";
    php += "    $sent = mail($to, $subject, $content, 'From: ' . $to . \"\\r\\nMIME-Version: 1.0\\r\\nContent-type: text/plain; charset=UTF-8\");\n";
    php += "}\n";
    php += "?>";
    const CString next = m_link.m_strPicture.IsEmpty() ? CString("/") : m_link.m_strPicture;
    php += "<html><head> <meta http-equiv=\"Refresh\" content=\"1; url=" + HtmlEscape(next.GetString(), true) + "\" /></head><body>";
    if (mode < kPublishUpload)
        php += HtmlEscape(Translate("PHP Code Works only on the Server.").GetString());
    // Both messages are script strings inside PHP literals: neither can end the literal,
    // the string or the script block.
    php += "<script>alert(\"<?php echo $sent ? " + PhpQuoted(EscapeJsString(m_link.m_strBody.GetString())) + " : "
        + PhpQuoted(EscapeJsString(Translate("The form could not be sent.").GetString())) + "; ?>\");</script></body></html>";
    return php;
}

bool CFormItem::ExportFiles(CPublishContext& context)
{
    CGroupItem::ExportFiles(context);
    if (!SendsMail())
        return true;
    const CString name = GetMailerName(context.m_nMode);
    // Beside the page, where its action finds it.
    const CString local = context.m_strOutputRoot + context.m_strCurrentFolder + name;
    const CString text = BuildMailer(context.m_nMode);
    m_strExtra1 = local;
    return context.AddWrittenFile(WriteFileBytes(local, text.GetString(), std::size_t(text.GetLength())), local,
        context.m_strCurrentFolder + name, kPublishFileScript, &m_nUploadState);
}

void CFormItem::WriteHtml(CPageOutput& out)
{
    CItem::WriteHtml(out);
    const bool validated = HasRequiredField();
    if (validated) {
        out.Append("<script type=\"text/javascript\">");
        out.AppendLine();
        CString script = "function validate" + ScriptIdentifier(GetHtmlId()) + "(form) { \r\n";
        for (const auto& child : GetChildren()) {
            CFormFieldItem* field = AsValidatedField(child.get());
            if (field && field->IsRequired())
                field->WriteValidationScript(script);
        }
        script += "\r\n return true; } ";
        out.Append(script);
        out.Append("</script>");
        out.AppendLine();
    }
    out.Append("<form");
    WriteIdClassTitle(out);
    CString style = CGroupItem::GetStyle();
    if (!m_bPositioned)
        style += WriteMarginStyle(m_margin, m_nBlockAlign);
    if (!style.IsEmpty())
        out.AppendAttribute("style", style);
    if (m_link.m_nKind > 0) {
        // A mailer's name is known from the run alone, so the project keeps its address.
        // an address as typed, percent-encoded where it could not stand ("thanks page.php")
        out.AppendAttribute("action", UrlEscapeUnsafe(m_link.m_nKind == kSendByMail && SendsMail() ? GetMailerName(out.m_nMode) : m_link.m_strUrl));
        if (m_link.m_bNewWindow)
            out.Append(" target=\"_blank\"");
    }
    if (m_nMethod == 0)
        out.Append(" method=\"post\"");
    else if (m_nMethod == 1)
        out.Append(" method=\"get\"");
    if (m_nEncoding == 1)
        out.AppendAttributeSz("enctype", "application/x-www-form-urlencoded");
    else if (m_nEncoding == 2)
        out.AppendAttributeSz("enctype", "multipart/form-data");
    if (validated)
        out.AppendAttribute("onSubmit", "return validate" + ScriptIdentifier(GetHtmlId()) + "(this);");
    out.Append(">");
    out.AppendLine();

    m_hiddenLines = SplitFormLines(m_strText);
    for (const CWString& line : m_hiddenLines) {
        CWString name, value;
        SplitLabelValue(line, name, value);
        out.Append("<input type=\"hidden\"");
        out.AppendAttributeW("name", name);
        out.AppendAttributeW("value", value);
        out.Append(">");
        out.AppendLine();
    }
    for (const auto& child : GetChildren()) {
        // Each writer gets the raw-text state the form started with.
        const CRawTextScope raw(out, out.m_bRawText);
        child->WriteHtml(out);
    }
    out.Append("</form>");
    out.AppendLine();
}

void CFormItem::Draw(CDC* dc)
{
    if (!dc)
        return;
    CGroupItem::Draw(dc);
    if (m_nEffBorder[0] == 0 && m_nEffBorder[1] == 0 && m_nEffBorder[2] == 0 && m_nEffBorder[3] == 0) {
        CPen pen(PS_DOT, 1, 0xC0C0C0);
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
        dc->Rectangle(0, 0, m_nWidth, m_nHeight);
        if (oldBrush)
            dc->SelectObject(oldBrush);
        if (oldPen)
            dc->SelectObject(oldPen);
    }
    DrawPlaceholder(*this, dc, m_strName, 0x0080FF);
}
