#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qv::test {

// The files below a directory: lower-case relative path -> bytes.
using Tree = std::map<std::string, std::string>;

// The ten analysis files the pipeline writes, lower-case.
inline constexpr const char* kAnalysisFiles[] = {
    "red/redana.txt",  "blue/blueana.txt", "red/redzb.txt",   "blue/bluezb.txt", "red/redyl.txt",
    "blue/blueyl.txt", "blue/blueqk.txt",  "blue/bluelm.txt", "red/redqk.txt",   "red/rednext.txt"};
inline constexpr const char* kReadyBytes = "Data=1\r\n";
inline constexpr const char* kStaleBytes = "Data=0\r\n";

std::string LowerCase(std::string text);

bool IsAnalysisFile(const std::string& name);

// A replacement's temporary file (left behind when its writer was killed).
bool IsTempFile(const std::string& name);

// Reads every regular file below dir; temporary files go to temps (when given) instead.
Tree ReadTree(const std::filesystem::path& dir, std::vector<std::string>* temps = nullptr);

// Makes dir hold exactly tree.
void WriteTree(const std::filesystem::path& dir, const Tree& tree);

// The help texts as installed, under their tree names.
Tree HelpFiles();

} // namespace qv::test
