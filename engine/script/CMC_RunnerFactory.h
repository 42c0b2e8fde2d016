#pragma once

#include <array>
#include <cstddef>

class CMC_Runner;

// The one runner of each script type that the engine implements, handed out by type id. The
// table of rows and the type ids each row serves is fixed here; the code of each type
// attaches the maker of its runner to its row from an explicit registration step (the
// script core's own runners are in the table already). A row without a maker has no runner,
// and objects of its types are served by their own getRunner, as plug-in types are.
class CMC_RunnerFactory {
public:
    using Maker = CMC_Runner* (*)();

    // The maker of a runner that is built as Runner().
    template <typename Runner>
    static CMC_Runner* make()
    {
        return new Runner();
    }

    // Makes the runner of every row that has a maker, in row order, each with its method
    // table prepared. Called before any behaviour is compiled.
    static void initialize();
    // Deletes every runner, in row order.
    static void done();
    // The runner of the type id; none for ids no row serves and while there is no runner.
    static CMC_Runner* getRunner(int typeId)
    {
        if (typeId >= 0 && typeId < kDirectIds)
            return byDirectId_[static_cast<std::size_t>(typeId)];
        return runnerOfLargeId(typeId);
    }
    // Attaches the maker of the row that serves the type id, replacing any earlier one; it is
    // used from the next initialize. False, and nothing attached, for an id no row serves.
    static bool attach(int typeId, Maker maker);

private:
    // The engine's own type ids are small: their runners are found by direct index.
    static constexpr int kDirectIds = 4096;
    static CMC_Runner* runnerOfLargeId(int typeId);

    static inline std::array<CMC_Runner*, kDirectIds> byDirectId_{};
};
