// Writes src/selection/WheelTables.cpp: for every offered guarantee and 7 to 20 chosen
// reds, the smallest wheel of six-number tickets that SearchWheel finds with a large
// effort, starting from the wheel shipped today (when there is one) and from a greedy
// start. Run from the build tree:
//   quorvane_wheel_tables OUT.cpp [VMIN VMAX] [EFFORT]
// EFFORT multiplies the default search work (default 40). Wheels outside VMIN..VMAX are
// copied from today's table; the file is written again after every search.

#include "selection/Wheel.h"
#include "selection/WheelTables.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Entry
{
    int V, M, T;
    std::vector<qv::WheelTicket> Tickets;
};

std::vector<qv::WheelTicket> Best(int v, const qv::WheelGuarantee& g, std::uint64_t scale)
{
    std::vector<qv::WheelTicket> today;
    if (const qv::ShippedWheel* shipped = qv::FindShippedWheel(v, g.M, g.T))
        today.assign(shipped->Tickets.begin(), shipped->Tickets.end());
    qv::WheelSearchEffort effort;
    effort.AttemptWork *= scale;
    effort.SearchWork *= scale;
    effort.Retries = 8;
    std::vector<qv::WheelTicket> best = today;
    for (std::uint32_t seed = 1; seed <= 2; ++seed) {
        effort.Seed = 977u * seed + static_cast<std::uint32_t>(v * 100 + g.M * 10 + g.T);
        auto found =
            qv::SearchWheel(v, g.M, g.T, 6, effort, seed == 1 ? today : std::vector<qv::WheelTicket>{});
        if (best.empty() || found.size() < best.size())
            best = std::move(found);
    }
    return best;
}

// Writes the table to path through a temporary file, so that a stopped run leaves the
// last whole table.
bool Write(const std::string& path, const std::vector<Entry>& entries)
{
    const std::string temporary = path + ".tmp";
    std::ofstream out(temporary);
    out << "// Written by tools/MakeWheelTables.cpp; do not edit. Every wheel is checked by\n"
           "// tests/selection/WheelTest.cpp with VerifyWheel.\n\n"
           "#include \"selection/WheelTables.h\"\n\n#include <array>\n\nnamespace qv {\n\nnamespace {\n\n";
    std::size_t total = 0;
    for (const auto& e : entries)
        total += e.Tickets.size();
    out << "// clang-format off\n";
    out << "constexpr std::array<WheelTicket, " << total << "> kTickets = {\n";
    for (const auto& e : entries) {
        out << "    // " << e.V << " reds, 中" << e.M << "保" << e.T << ": " << e.Tickets.size() << "\n";
        for (std::size_t i = 0; i < e.Tickets.size(); ++i) {
            if (i % 10 == 0)
                out << "   ";
            char hex[16];
            std::snprintf(hex, sizeof hex, " 0x%05x,", static_cast<unsigned>(e.Tickets[i]));
            out << hex;
            if (i % 10 == 9 || i + 1 == e.Tickets.size())
                out << "\n";
        }
    }
    out << "};\n// clang-format on\n\nconstexpr std::span<const WheelTicket> Part(std::size_t from, "
           "std::size_t count)\n{\n"
           "    return std::span<const WheelTicket>(kTickets).subspan(from, count);\n}\n\n";
    out << "const std::array<ShippedWheel, " << entries.size() << "> kWheels = {{\n";
    std::size_t from = 0;
    for (const auto& e : entries) {
        out << "    {" << e.V << ", " << e.M << ", " << e.T << ", Part(" << from << ", " << e.Tickets.size()
            << ")},\n";
        from += e.Tickets.size();
    }
    out << "}};\n\n} // namespace\n\n"
           "std::span<const ShippedWheel> ShippedWheels()\n{\n    return kWheels;\n}\n\n"
           "const ShippedWheel* FindShippedWheel(int v, int m, int t)\n{\n"
           "    for (const ShippedWheel& wheel : kWheels) {\n"
           "        if (wheel.V == v && wheel.M == m && wheel.T == t)\n"
           "            return &wheel;\n    }\n    return nullptr;\n}\n\n} // namespace qv\n";
    out.close();
    return out && std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.cpp [VMIN VMAX] [EFFORT]\n", argv[0]);
        return 2;
    }
    const int vmin = argc > 3 ? std::atoi(argv[2]) : qv::kWheelMinReds;
    const int vmax = argc > 3 ? std::atoi(argv[3]) : qv::kWheelMaxReds;
    const std::uint64_t scale = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 40;

    // Today's wheels first, so that the file written after each search holds a whole
    // table: the run can be stopped at any point.
    std::vector<Entry> entries;
    for (int v = qv::kWheelMinReds; v <= qv::kWheelMaxReds; ++v) {
        for (const auto& g : qv::OfferedGuarantees()) {
            Entry entry{v, g.M, g.T, {}};
            if (const qv::ShippedWheel* shipped = qv::FindShippedWheel(v, g.M, g.T))
                entry.Tickets.assign(shipped->Tickets.begin(), shipped->Tickets.end());
            else
                entry.Tickets = qv::SearchWheel(v, g.M, g.T, 6);
            entries.push_back(std::move(entry));
        }
    }
    if (!Write(argv[1], entries))
        return 1;
    for (Entry& entry : entries) {
        if (entry.V < vmin || entry.V > vmax)
            continue;
        const auto started = std::chrono::steady_clock::now();
        auto tickets = Best(entry.V, {entry.M, entry.T}, scale);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (qv::VerifyWheel(entry.V, entry.M, entry.T, tickets).Uncovered != 0) {
            std::fprintf(stderr, "v=%d %d-%d fails its guarantee\n", entry.V, entry.M, entry.T);
            return 1;
        }
        if (tickets.size() < entry.Tickets.size())
            entry.Tickets = std::move(tickets);
        std::printf("%d %d-%d %zu %.1fs\n", entry.V, entry.M, entry.T, entry.Tickets.size(), seconds);
        std::fflush(stdout);
        if (!Write(argv[1], entries))
            return 1;
    }
    return 0;
}
