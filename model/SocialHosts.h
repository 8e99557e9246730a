// The social network whose plug-ins the Like Button and Facebook items show. Only the
// host is ours to choose; plug-in paths and query keys are fixed by the writers.
#pragma once
#include "framework/core/CString.h"

// "www.facebook.com": the host name that page names are placed under.
inline CString SocialNetworkHost()
{
    return "www.facebook.com";
}
// The scheme and host of the plug-in addresses.
inline CString SocialNetworkAddress()
{
    return "https://" + SocialNetworkHost();
}
