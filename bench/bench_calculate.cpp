// Calculate on a full loop: 252 devices with LEDs, outputs, isolators, masters with slave bases
// and dependent radio devices, other devices and bases, 100 standalone devices, and an address
// order rearranged at random. Every wiring check passes, so each one walks the whole loop.
#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>
#include <random>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/OutputBits.h"
#include "engine/clsCalculator.h"

namespace {

struct FullLoopCatalogue {
    std::int16_t detector{}, sounder{}, isolator{}, master{}, slaveBase{}, radio{},
        radioInterface{};
    std::int16_t remoteLed{}, baseOther{}, standalone{}, standaloneIsolator{};

    FullLoopCatalogue() {
        ResetDeviceCatalogue();
        ResetOtherDevices();
        ResetCableCatalogue();
        OutputBitTable = {{"None", 0, 0}, {"LED", 1, 1}, {"Relay", 2, 2}, {"Remote", 3, 3}};
        DeviceTypeTable.assign(1, DeviceTypeRecord{});
        OtherDeviceTable.assign(1, OtherDevice{});
        detector = AddDevice(300, 600, 1, 400, 0);
        sounder = AddDevice(400, 900, 2, 800, 0);
        isolator = AddDevice(100, 100, 0, 0, 30000);
        master = AddDevice(300, 600, 1, 400, 0);
        DeviceTypeTable[static_cast<std::size_t>(master)].IsMaster = true;
        slaveBase = AddDevice(200, 300, 0, 0, 0);
        DeviceTypeTable[static_cast<std::size_t>(slaveBase)].IsSlave = true;
        DeviceTypeTable[static_cast<std::size_t>(slaveBase)].NoOtherDevices = true;
        radioInterface = AddDevice(500, 500, 0, 0, 0);
        DeviceTypeTable[static_cast<std::size_t>(radioInterface)].MaximumDependents = 32;
        radio = AddDevice(100, 300, 1, 200, 0);
        DeviceTypeTable[static_cast<std::size_t>(radio)].DependsOnDevice = radioInterface;
        OtherDevice led = Other(10, 500);
        led.FromRemote = true;
        led.FromRemoteSecond = true;
        remoteLed = AddOther(led);
        OtherDevice base = Other(50, 50);
        base.IsBaseContext = true;
        baseOther = AddOther(base);
        OtherDevice sounder = Other(40, 400);
        sounder.IsStandaloneContext = true;
        standalone = AddOther(sounder);
        OtherDevice isolating = Other(5, 5);
        isolating.IsStandaloneContext = true;
        isolating.OtherMaxSurge = 30000;
        standaloneIsolator = AddOther(isolating);
        for (std::int16_t impedance = 4000; impedance >= 800; impedance -= 400)
            CableTable.push_back({"Cable", impedance, true, 0});
    }
    ~FullLoopCatalogue() {
        ResetDeviceCatalogue();
        ResetOtherDevices();
        ResetCableCatalogue();
    }

    static std::int16_t AddDevice(std::int32_t quiescent, std::int32_t alarm, std::int16_t output,
                                  std::int32_t outputCurrent, std::int32_t maxSurge) {
        DeviceTypeRecord t;
        t.Name = "Type " + std::to_string(DeviceTypeTable.size());
        t.QuiescentCurrent = quiescent;
        t.AlarmCurrent = alarm;
        t.AlarmCurrentLedDisabled = alarm / 2;
        t.LedDisabledCurrentDiffers = true;
        t.OutputUse = {output, 0, 0};
        t.OutputBitCurrent = {outputCurrent, 0, 0};
        t.MinimumVoltage = 1700;
        t.SurgeCurrent = 400;
        t.MaxSurgeCurrent = maxSurge;
        t.IconNumber = 1;
        DeviceTypeTable.push_back(t);
        DeviceTypeCount = static_cast<int>(DeviceTypeTable.size()) - 1;
        return static_cast<std::int16_t>(DeviceTypeCount);
    }
    static OtherDevice Other(std::int32_t quiescent, std::int32_t alarm) {
        OtherDevice o;
        o.OtherQuiescent = quiescent;
        o.OtherAlarm = alarm;
        o.OtherSurge = quiescent;
        return o;
    }
    static std::int16_t AddOther(OtherDevice o) {
        o.OtherNumber = static_cast<std::int16_t>(OtherDeviceTable.size());
        OtherDeviceTable.push_back(o);
        return o.OtherNumber;
    }
};

std::unique_ptr<clsCalculator> FullLoop(const FullLoopCatalogue& c, std::int32_t calcType) {
    auto loop = std::make_unique<clsCalculator>();
    loop->ClearData();
    std::mt19937 rng(42);
    for (std::int32_t slot = 1; slot <= 252; ++slot) {
        std::int16_t type = slot % 3 == 0 ? c.sounder : c.detector;
        if (slot % 16 == 0) type = c.isolator;
        if (slot % 25 == 1) type = c.master;
        if (slot % 40 == 7) type = c.radioInterface;
        if (slot % 11 == 5) type = c.radio;
        loop->DeviceType(slot, type);
        if (slot % 4 == 1) loop->DeviceOtherType(slot, c.remoteLed);
        if (slot % 5 == 2) loop->DeviceOtherBaseType(slot, c.baseOther);
    }
    // Slave bases listening to the master before them.
    for (std::int32_t slot = 3; slot <= 252; slot += 25) {
        loop->DeviceBaseAddr(slot, slot - 2);
        loop->DeviceBaseType(slot, c.slaveBase);
    }
    int placed = 0;
    for (std::int32_t sub = 2; placed < 100; ++sub)
        for (std::int32_t slot = 1; slot <= 252 && placed < 100; slot += 5, ++placed)
            loop->DeviceStandaloneTypeAndAddress(
                slot, sub, placed % 20 == 0 ? c.standaloneIsolator : c.standalone,
                placed % 7 == 0 ? 1 : 0);
    std::vector<std::int32_t> target(256);
    std::iota(target.begin(), target.end(), 0);
    std::shuffle(target.begin() + 1, target.end(), rng);
    for (std::int32_t position = 0; position < 256; ++position)
        loop->AddressOrder(target[static_cast<std::size_t>(position)], position);
    loop->CalcType(calcType);
    loop->CableTotal(8000);
    loop->CableFirst(500);
    loop->CableImpedance(1810);
    loop->MaxOutput(20);
    loop->SetPanelData(60, 40, 20, 2700, 2000, 150);
    return loop;
}

void BM_CalculateWithWiringChecks(benchmark::State& state) {
    const FullLoopCatalogue catalogue;
    const auto loop = FullLoop(catalogue, static_cast<std::int32_t>(state.range(0)));
    loop->Calculate(false, 0, false);
    if (loop->LoopDesign() != 0)
        state.SkipWithError(("verdict " + loop->LoopDesignShort()).c_str());
    for (auto _ : state) {
        loop->Calculate(false, 0, false);
        benchmark::DoNotOptimize(loop->LoopDesign());
    }
}
BENCHMARK(BM_CalculateWithWiringChecks)->Arg(0)->Arg(1)->Arg(2);

void BM_CalculateWithoutWiringChecks(benchmark::State& state) {
    const FullLoopCatalogue catalogue;
    const auto loop = FullLoop(catalogue, static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        loop->Calculate(false, 0, true);
        benchmark::DoNotOptimize(loop->LoopDesign());
    }
}
BENCHMARK(BM_CalculateWithoutWiringChecks)->Arg(0)->Arg(1)->Arg(2);

void BM_CalculateCableRunAsPercentage(benchmark::State& state) {
    const FullLoopCatalogue catalogue;
    const auto loop = FullLoop(catalogue, 1);
    for (auto _ : state) {
        loop->Calculate(true, 20, false);
        benchmark::DoNotOptimize(loop->CableTotal());
    }
}
BENCHMARK(BM_CalculateCableRunAsPercentage);

}  // namespace
