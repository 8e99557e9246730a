#include "framework/core/MessageBox.h"

#include <cstdio>

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler h;
    return h;
}
CString& Caption()
{
    static CString c("Tessel Web Designer");
    return c;
}

// Without a GUI: print the message and take the default button.
int DefaultAnswer(const CString& text, const CString& caption, unsigned type)
{
    std::fprintf(stderr, "%s: %s\n", caption.GetString(), text.GetString());
    switch (type & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return (type & MB_DEFBUTTON2) ? IDNO : IDYES;
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}
} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

void tessel::SetMessageBoxCaption(const CString& caption) { Caption() = caption; }

int ShowMessageBox(const CString& text, const CString& caption, unsigned type)
{
    if (Handler())
        return Handler()(text, caption, type);
    return DefaultAnswer(text, caption, type);
}

int AfxMessageBox(const CString& text, unsigned type) { return ShowMessageBox(text, Caption(), type); }
