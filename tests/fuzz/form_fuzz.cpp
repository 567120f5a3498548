// Long random runs of input against the real window. For every seed a fresh
// window is shown offscreen and driven with random events; after every event
// the window is checked. A failure prints the seed, the event, what was wrong
// and the events before it, and the command that replays it.
//
//   form_fuzz [--seeds 1,2,3] [--seed N] [--events N]
//
// Defaults: seeds 1 to 5, 3000 events each.
#include "form_fixture.h"
#include "random_session.h"
#include "stderr_capture.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void usage(const char *program)
{
    std::fprintf(stderr, "usage: %s [--seeds 1,2,3] [--seed N] [--events N]\n", program);
    std::exit(2);
}

std::uint64_t number(const char *program, const std::string &text)
{
    try {
        std::size_t used = 0;
        const unsigned long long value = std::stoull(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception &) {
    }
    usage(program);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::uint64_t> seeds;
    long events = 3000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            usage(argv[0]);
        const std::string value = argv[++i];
        if (arg == "--seed") {
            seeds.push_back(number(argv[0], value));
        } else if (arg == "--seeds") {
            for (std::size_t from = 0; from <= value.size();) {
                const std::size_t comma = std::min(value.find(',', from), value.size());
                seeds.push_back(number(argv[0], value.substr(from, comma - from)));
                from = comma + 1;
            }
        } else if (arg == "--events") {
            events = static_cast<long>(number(argv[0], value));
        } else {
            usage(argv[0]);
        }
    }
    if (seeds.empty())
        seeds = {1, 2, 3, 4, 5};

    int argcForQt = 1;
    QApplication app(argcForQt, argv);
    for (const std::uint64_t seed : seeds) {
        std::printf("form_fuzz: seed %llu, %ld events\n", static_cast<unsigned long long>(seed), events);
        std::fflush(stdout);
        QElapsedTimer clock;
        clock.start();
        std::string fault;
        long delivered = 0;
        fuzz_test::FormInvariants::Counts counts;
        {
            test_support::StderrCapture errors;
            window_test::ShownForm shown;
            fuzz_test::RandomSession session(shown, errors, seed);
            fault = session.run(events);
            delivered = session.delivered();
            counts = session.invariants().counts();
        }
        if (!fault.empty()) {
            std::printf("form_fuzz: FAILED with seed %llu %s"
                        "replay: %s --seed %llu --events %ld\n",
                        static_cast<unsigned long long>(seed), fault.c_str(), argv[0],
                        static_cast<unsigned long long>(seed), delivered);
            return 1;
        }
        std::printf("form_fuzz: seed %llu passed: %ld events (%d holds, %d tile moves, %d turns, %d new games (%d "
                    "while a tile was held), "
                    "%d ticks) in %.1f s\n",
                    static_cast<unsigned long long>(seed), delivered, counts.holds, counts.tileMoves, counts.turns,
                    counts.newGames, counts.newGamesWhileHeld, counts.ticks, clock.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    return 0;
}
