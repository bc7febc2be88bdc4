// "option.ini" is read at every start, whatever it holds.
#include "core/Error.h"
#include "history/ReadyFlag.h"
#include "history/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto path = std::filesystem::temp_directory_path() /
                             ("quorvane-fuzz-option-" + std::to_string(getpid()) + ".ini");
    qv::ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    qv::ReadyFlag flag(path);
    flag.Load();
    const bool ready = flag.IsReady();
    const bool stale = flag.IsStale();
    if (ready && stale)
        __builtin_trap();
    return 0;
}
