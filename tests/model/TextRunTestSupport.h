// Building run records in tests.
#pragma once
#include "model/Item.h"
#include "model/TextRuns.h"
#include <vector>

namespace runtest {

inline CTextRun MakeRun(std::uint32_t color = kRunColorInherit, int bold = 0, int italic = 0, int decoration = 0, int mono = 0, int link = 0, int size = 0)
{
    CTextRun r;
    r.color = color;
    r.bold = bold;
    r.italic = italic;
    r.decoration = decoration;
    r.monospace = mono;
    r.link = link;
    r.size = size;
    return r;
}

inline void SetRuns(CItem& item, const std::vector<CTextRun>& runs)
{
    AllocateTextRuns(item.m_blob, int(runs.size()));
    for (size_t i = 0; i < runs.size(); ++i)
        SetTextRun(item.m_blob, int(i), runs[i]);
}

} // namespace runtest
