// The contact form builder (CKJDoc::BuildContactForm) and its country list.
#pragma once
#include "framework/core/CString.h"

#include <vector>

// The 200 countries the Country row offers after its empty first entry, in order.
std::vector<CString> ContactFormCountries();
