// Writes src/selection/WheelTables.cpp: for every offered guarantee and 7 to 20 chosen
// reds, the smallest wheel of six-number tickets that SearchWheel finds with a large
// effort, starting from the wheel shipped today (when there is one) and from a greedy
// start. Run from the build tree:
//   quorvane_wheel_tables OUT.cpp [VMIN VMAX] [EFFORT]
// EFFORT multiplies the default search work (default 40). Wheels outside VMIN..VMAX are
// copied from today's table.

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

    std::vector<Entry> entries;
    for (int v = qv::kWheelMinReds; v <= qv::kWheelMaxReds; ++v) {
        for (const auto& g : qv::OfferedGuarantees()) {
            Entry entry{v, g.M, g.T, {}};
            const auto started = std::chrono::steady_clock::now();
            if (v >= vmin && v <= vmax) {
                entry.Tickets = Best(v, g, scale);
            } else if (const qv::ShippedWheel* shipped = qv::FindShippedWheel(v, g.M, g.T)) {
                entry.Tickets.assign(shipped->Tickets.begin(), shipped->Tickets.end());
            } else {
                entry.Tickets = qv::SearchWheel(v, g.M, g.T, 6);
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (qv::VerifyWheel(v, g.M, g.T, entry.Tickets).Uncovered != 0) {
                std::fprintf(stderr, "v=%d %d-%d fails its guarantee\n", v, g.M, g.T);
                return 1;
            }
            std::printf("%d %d-%d %zu %.1fs\n", v, g.M, g.T, entry.Tickets.size(), seconds);
            std::fflush(stdout);
            entries.push_back(std::move(entry));
        }
    }

    std::ofstream out(argv[1]);
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
    return out ? 0 : 1;
}
