#include "platform/windows/MessageBox.h"

#include "platform/base/Host.h"
#include "platform/base/HostText.h"

#include <cstdio>

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type)
{
    std::string body, title;
    if (!HostText::toUtf8(text ? text : L"", body))
        body = "(a text that cannot be shown)";
    if (!HostText::toUtf8(caption ? caption : L"Error", title))
        title = "Error";
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    const UINT icon = type & 0xF0;
    Host::BoxKind kind = icon == MB_ICONERROR      ? Host::BoxKind::Error
                         : icon == MB_ICONWARNING ? Host::BoxKind::Warning
                                                  : Host::BoxKind::Information;
    Hosts::current().showMessageBox(kind, title, body);
    return IDOK;
}
