// A history file the user hands the program (the record editor's 打开.. and OK, or a file
// copied into data/) goes through the whole analysis chain: the history load, the indicator
// refresh, the reference, the omission statistics, both kill verifications, the prediction
// and the spiral step, all computing because the flag reads "Data=0".
#include "FuzzAppDir.h"

#include "core/Error.h"
#include "core/RecordingHost.h"
#include "history/TextFile.h"
#include "session/AppState.h"
#include "session/Pipeline.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A few thousand draws keep every run short; longer histories are the tests' business.
    if (size > 64 * 1024)
        return 0;
    const auto& dir = qv::fuzz::FuzzAppDir("history");
    qv::ReplaceFile(dir / "data" / "data.txt", std::string_view(reinterpret_cast<const char*>(data), size));

    qv::AppState state;
    state.Paths.SetDir(dir);
    state.Flag.SetFile(dir / "option.ini");
    state.Flag.SetCopy({qv::ReadyFlag::kStale});
    qv::RecordingHost host;
    try {
        qv::RecomputeAll(state, host);
    } catch (const qv::Error&) {
        // A malformed history stops the chain with its report; the flag must then say so.
        if (state.Flag.IsReady())
            __builtin_trap();
        return 0;
    }
    if (!state.Flag.IsReady() || host.ProgressPosition != 100)
        __builtin_trap();
    return 0;
}
