#pragma once

#include <string>
#include <vector>

namespace qv {

// The two list views of the next-issue reference sheet, as rows of texts. Both have the
// columns "指标内容" (the row caption) and "结果" (the sheet line).
struct ReferenceViews
{
    static constexpr const char* kRedComponent = "ListView1";
    static constexpr const char* kBlueComponent = "TeListView2";
    static constexpr const char* kCaptionColumn = "指标内容";
    static constexpr const char* kResultColumn = "结果";

    std::vector<std::vector<std::string>> RedRows;  // ListView1: red sheet lines 1-13
    std::vector<std::vector<std::string>> BlueRows; // TeListView2: blue sheet lines 1-8
};

} // namespace qv
