#include "script/CMC_RunnerFactory.h"

#include "script/CMC_Array_Runner.h"
#include "script/CMC_BasicCondition_Runner.h"
#include "script/CMC_Behaviour_Runner.h"
#include "script/CMC_CNVLoader_Runner.h"
#include "script/CMC_Class_Runner.h"
#include "script/CMC_Database_Runner.h"
#include "script/CMC_Dummy_Runner.h"
#include "script/CMC_MultiArray_Runner.h"
#include "script/CMC_Quene_Runner.h"
#include "script/CMC_Rand_Runner.h"
#include "script/CMC_Structure_Runner.h"
#include "script/CMC_Variable_Runner.h"
#include "script/CMC_Vector_Runner.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

template <typename Runner>
constexpr CMC_RunnerFactory::Maker make = &CMC_RunnerFactory::make<Runner>;

struct Row {
    std::vector<int> typeIds;
    CMC_RunnerFactory::Maker maker;
    CMC_Runner* runner;
};

// In the order in which the runners are made.
Row rows[] = {
    {{2000}, nullptr, nullptr}, // pAnimoRunner
    {{1000}, nullptr, nullptr}, // pAppRunner
    {{3001}, make<CMC_Array_Runner>, nullptr}, // pArrayRunner
    {{13}, make<CMC_Behaviour_Runner>, nullptr}, // pBehaviourRunner
    {{2001}, nullptr, nullptr}, // pButtonRunner
    {{103}, nullptr, nullptr}, // pCORunner
    {{12000}, make<CMC_CNVLoader_Runner>, nullptr}, // pCNVLoaderRunner
    {{10, 11}, make<CMC_BasicCondition_Runner>, nullptr}, // pConditionRunner
    {{2013}, nullptr, nullptr}, // pDialogRunner
    {{2009}, nullptr, nullptr}, // pEditBoxRunner
    {{1001}, nullptr, nullptr}, // pEpisodeRunner
    {{2002}, nullptr, nullptr}, // pFontRunner
    {{3000}, nullptr, nullptr}, // pGroupRunner
    {{2008}, nullptr, nullptr}, // pImageRunner
    {{101}, nullptr, nullptr}, // pKeyboardRunner
    {{100}, nullptr, nullptr}, // pMouseRunner
    {{102}, make<CMC_Rand_Runner>, nullptr}, // pRandRunner
    {{1002}, nullptr, nullptr}, // pSceneRunner
    {{2004}, nullptr, nullptr}, // pSequenceRunner
    {{2005}, nullptr, nullptr}, // pSoundRunner
    {{11000}, nullptr, nullptr}, // pSystemRunner
    {{2006}, nullptr, nullptr}, // pTextRunner
    {{2007}, nullptr, nullptr}, // pTimerRunner
    {{1, 2, 3, 4, 12}, make<CMC_Variable_Runner>, nullptr}, // pVariableRunner
    {{2011}, nullptr, nullptr}, // pNetServerRunner
    {{2012}, nullptr, nullptr}, // pNetClientRunner
    {{0}, make<CMC_Dummy_Runner>, nullptr}, // pDummyRunner
    {{2014}, nullptr, nullptr}, // pFilterRunner
    {{2015}, nullptr, nullptr}, // pStaticFilterRunner
    {{2016}, make<CMC_Vector_Runner>, nullptr}, // pVectorRunner
    {{2017}, nullptr, nullptr}, // pPathRunner
    {{2018, 2019}, make<CMC_Quene_Runner>, nullptr}, // pQueneRunner
    {{2020}, nullptr, nullptr}, // pCanvasRunner
    {{2021}, nullptr, nullptr}, // pPatternRunner
    {{2022}, nullptr, nullptr}, // pScrollRunner
    {{3002}, make<CMC_Structure_Runner>, nullptr}, // pStructureRunner
    {{3003}, make<CMC_Database_Runner>, nullptr}, // pDatabaseRunner
    {{3004}, make<CMC_Class_Runner>, nullptr}, // pClassRunner
    {{3005}, nullptr, nullptr}, // pVGORunner
    {{3006}, make<CMC_MultiArray_Runner>, nullptr}, // pMultiArrayRunner
    {{2023}, nullptr, nullptr}, // pJoystickRunner
    {{2024}, nullptr, nullptr}, // pMovieRunner
};

static_assert(sizeof rows / sizeof rows[0] == 42);

// Every served type id with its row, sorted by id, for look-ups by halving.
const std::vector<std::pair<int, Row*>>& rowsById()
{
    static const std::vector<std::pair<int, Row*>> index = [] {
        std::vector<std::pair<int, Row*>> entries;
        for (Row& row : rows)
            for (int typeId : row.typeIds)
                entries.emplace_back(typeId, &row);
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return entries;
    }();
    return index;
}

Row* rowOf(int typeId)
{
    const auto& index = rowsById();
    auto found = std::lower_bound(index.begin(), index.end(), typeId,
                                  [](const auto& entry, int id) { return entry.first < id; });
    return found != index.end() && found->first == typeId ? found->second : nullptr;
}

} // namespace

void CMC_RunnerFactory::initialize()
{
    done();
    for (Row& row : rows) {
        if (row.maker == nullptr)
            continue;
        row.runner = row.maker();
        row.runner->prepareMthHashSet();
    }
    for (const auto& [typeId, row] : rowsById())
        if (typeId >= 0 && typeId < kDirectIds)
            byDirectId_[static_cast<size_t>(typeId)] = row->runner;
}

void CMC_RunnerFactory::done()
{
    byDirectId_.fill(nullptr);
    for (Row& row : rows) {
        delete row.runner;
        row.runner = nullptr;
    }
}

CMC_Runner* CMC_RunnerFactory::runnerOfLargeId(int typeId)
{
    Row* row = rowOf(typeId);
    return row != nullptr ? row->runner : nullptr;
}

bool CMC_RunnerFactory::attach(int typeId, Maker maker)
{
    Row* row = rowOf(typeId);
    if (row == nullptr)
        return false;
    row->maker = maker;
    return true;
}
