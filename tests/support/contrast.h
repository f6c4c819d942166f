#pragma once

// The contrast ratio of two colours as accessibility guidelines define it:
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances, 1 to 21.

#include <QColor>

#include <algorithm>
#include <cmath>

namespace test {

inline double relativeLuminance(const QColor &c)
{
    auto lineare = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(c.red()) + 0.7152 * lineare(c.green()) + 0.0722 * lineare(c.blue());
}

inline double contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace test
