// Files a generated site carries beside its pages so that it works without any outside
// host: the jQuery its scripts use and the pictures of the page overlay. They are written
// at the site root and addressed relatively from every page.
#pragma once
#include "framework/core/CString.h"
#include <string_view>

class CFolder;

inline constexpr char kJqueryFileName[] = "jquery.min.js";
inline constexpr char kOverlayCloseFileName[] = "close.png";
inline constexpr char kOverlayLoadingFileName[] = "loading.gif";
inline constexpr char kFacebookTabFileName[] = "facebooktab.png";

// Where the distribution's packaged jQuery lies (libjs-jquery); the environment variable
// TESSEL_JQUERY names another copy.
CString PackagedJqueryPath();

// The overlay's pictures, data of ours.
std::string_view OverlayClosePicture();
std::string_view OverlayLoadingPicture();
// The social tab's panel and handle, both states side by side (800 x 400).
std::string_view FacebookTabPicture();

// The address of a site-root file from a page in folder (null = the site root).
CString SiteFileHref(const CFolder* pageFolder, const char* fileName);
