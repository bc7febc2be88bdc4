#pragma once

#include "filters/FilterState.h"

#include <map>
#include <string>
#include <vector>

namespace qv::cli {

// Takes the filter view's options from args and applies them to settings, always in this
// order whatever their order on the line:
//   --none               every one of the 47 boxes unchecked
//   --select-all         one press of "全选/反选" (each occurrence presses once more)
//   --recommend          "选择推荐"
//   --enable NAMES       check boxes, NAMES comma-separated component names or captions
//   --disable NAMES      uncheck boxes
//   --set NAME=TEXT      a one-line parameter field by component name
//   --set-file NAME=FILE a multi-line rule box (Memo3, TeMemo1, TeMemo3) from FILE's lines,
//                        UTF-8 or GBK
//   --tolerance K        容错 K (0 or more); a K that is no such number is the Chinese report
// --enable, --disable, --set and --set-file may be repeated. An unknown name, a missing
// "=" or an empty list is a UsageError; a FILE that cannot be read is the file error.
void ApplyFilterOptions(std::vector<std::string>& args, FilterState& settings);

// Adds every counter label of the filter view (Label5 ... Label96) with its text, and
// Label4 ("合计共：0注/0元" as the window opens) unless labels already hold it.
void AddFilterLabels(const FilterState& settings, std::map<std::string, std::string>& labels);

} // namespace qv::cli
