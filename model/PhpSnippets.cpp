#include "model/PhpSnippets.h"

#include "model/Escaping.h"

#include <cstring>

namespace {

const char* const kTitles[kPhpSnippetCount] = {
    "Empty PHP",
    "Display user IP",
    "Display user browser",
    "Display current date",
    "Display form fields sent to this page",
    "Send all form fields by email",
    "Write form data to file on server",
    "Page counter",
    "Test PHP and display PHP version number",
    "Insert HTML from external file",
};

// One line of code followed by an empty line, as the snippets were always laid out.
CString Para(const char* line) { return CString(line) + "\r\n\r\n"; }
CString Line(const char* line) { return CString(line) + "\r\n"; }

// Collects the fields of a request array (the image button's x and y left out) as
// "name : value" lines; a field sent as a list gives its values joined.
CString FieldLoop(const char* source, const char* lineEnd)
{
    CString s = Line(CString::Formatted("foreach (%s as $key => $value)", source).GetString());
    s += Line("{");
    s += Line(CString::Formatted("if($key!=\"x\" && $key!=\"y\") $content .= $key . \" : \" . (is_array($value) ? "
                                 "implode(\", \", $value) : $value) . \"%s\";",
                                 lineEnd)
                  .GetString());
    s += Line("}");
    return s + "\r\n";
}

// Echoes $content HTML-escaped (quotes too, whatever the PHP version's default), line
// ends as "<br>".
CString EchoContent()
{
    return Para("$content = str_replace(\"\\n\",\"<br>\",htmlspecialchars($content, ENT_QUOTES, 'UTF-8'));")
        + Line("echo $content;");
}

} // namespace

const char* PhpSnippetTitle(int row) { return row >= 0 && row < kPhpSnippetCount ? kTitles[row] : nullptr; }

CString BuildPhpSnippet(int row, const CString& email)
{
    switch (row) {
    case 1: return "echo 'Your IP is: '; echo htmlspecialchars($_SERVER['REMOTE_ADDR'] ?? '');";
    case 2: return "echo 'Your browser is: '; echo htmlspecialchars($_SERVER['HTTP_USER_AGENT'] ?? '');";
    case 3: return "echo date('Y-m-d');";
    case 4: return Para("$content = \"\";") + FieldLoop("$_REQUEST", "\\n") + EchoContent();
    case 5: return BuildMailScript(email);
    case 6:
        return Para("$yourfile = \"mydata.txt\";") + Para("$content = \"*** \" . date(\"Y-m-d H:i:s\") . \" ***\\r\\n\";")
            + FieldLoop("$_POST", "\\r\\n") + Para("$content .= \"***************************\\r\\n\\r\\n\";")
            + Para("$f = fopen($yourfile,\"a\");")
            + Para("if($f!==false) { fwrite($f,$content); fclose($f); }") + EchoContent();
    case 7:
        return Para("$counterfile = \"mycounter.txt\";") + Line("if(!file_exists($counterfile))") + Line("{")
            + Line("$f = fopen($counterfile,\"w\");") + Line("if($f!==false) { fwrite($f,\"0\"); fclose($f); }")
            + Para("}") + Para("$visitors = 0;") + Line("$f = fopen($counterfile,\"r\");")
            + Para("if($f!==false) { $size = filesize($counterfile); $visitors = (int)($size > 0 ? fread($f,$size) : 0); "
                   "fclose($f); }")
            + Para("$visitors ++;") + Line("$f = fopen($counterfile,\"w\");")
            + Para("if($f!==false) { fwrite($f,(string)$visitors); fclose($f); }") + Line("echo $visitors;");
    case 8: return "echo 'PHP Version: ' . phpversion();";
    case 9: return "include('externalfile.inc');";
    default: return CString();
    }
}

bool IsPlainMailAddress(const CString& email)
{
    const int n = email.GetLength();
    if (n < 3 || n > 254)
        return false;
    int at = -1;
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(email[i]);
        if (c == '@') {
            if (at >= 0)
                return false;
            at = i;
            continue;
        }
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || (c != 0 && std::strchr(".!#$%&'*+/=?^_`{|}~-", c) != nullptr);
        if (!plain)
            return false;
    }
    return at > 0 && at < n - 1;
}

CString BuildMailScript(const CString& email)
{
    // Any other address stays out of the headers: it could carry a line of its own.
    const char* headers = IsPlainMailAddress(email)
        ? "$from = \"From: \" . $youremail . \"\\r\\nMIME-Version: 1.0\\r\\nContent-type: text/plain; charset=UTF-8\";"
        : "$from = \"MIME-Version: 1.0\\r\\nContent-type: text/plain; charset=UTF-8\";";
    return Para(("$youremail = " + PhpQuoted(email.GetString()) + ";").GetString()) + Para("$content = \"\";")
        + FieldLoop("$_POST", "\\n") + Para(headers)
        + Para("if (($_SERVER['REQUEST_METHOD'] ?? '') === 'POST' && $content !== \"\") "
               "mail($youremail,\"Email Subject\",$content,$from);")
        + EchoContent();
}
