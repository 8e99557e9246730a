#include "framework/core/NumberFormat.h"

#include <algorithm>
#include <cmath>

CString FormatNumber(double value)
{
    if (value >= 1000.0)
        return CString::Formatted("%lld", static_cast<long long>(value));
    CString s = CString::Formatted("%.3g", value);
    if (s.Find('e') < 0)
        return s;
    // "%.3g" rounded up into exponent form (999.5 -> "1e+03") or the value is tiny.
    const double magnitude = std::fabs(value);
    if (magnitude >= 1.0)
        return CString::Formatted("%.0f", value);
    const int decimals = std::min(2 - int(std::floor(std::log10(magnitude))), 30);
    return CString::Formatted("%.*f", decimals, value);
}

CString FormatFileSize(double bytes)
{
    static const struct {
        double threshold;
        const char* unit;
    } units[] = {{1024.0, " kB"},
                 {1048576.0, " MB"},
                 {1073741824.0, " GB"},
                 {1099511627776.0, " TB"},
                 {1125899906842624.0, " PB"},
                 {1152921504606846976.0, " EB"}};
    double divisor = 1;
    const char* unit = " bytes";
    for (const auto& u : units)
        if (bytes > u.threshold) {
            divisor = u.threshold;
            unit = u.unit;
        }
    return FormatNumber(bytes / divisor) + unit;
}
