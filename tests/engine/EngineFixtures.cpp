#include "engine/EngineFixtures.h"

#include "catalogue/OutputBits.h"

EngineCatalogue::EngineCatalogue() {
    ResetDeviceCatalogue();
    ResetOtherDevices();
    ResetCableCatalogue();
    DeviceTypeTable.assign(1, DeviceTypeRecord{});
    DeviceTypeCount = 0;
    OtherDeviceTable.assign(1, OtherDevice{});
    OutputBitTable = {{"None", 0, 0}, {"LED", 1, 1}, {"Relay", 2, 2}, {"Remote", 3, 3}};
}

EngineCatalogue::~EngineCatalogue() {
    ResetDeviceCatalogue();
    ResetOtherDevices();
    ResetCableCatalogue();
}

std::int16_t EngineCatalogue::AddDevice(DeviceTypeRecord type) {
    type.LedDisabledCurrentDiffers = type.AlarmCurrent != type.AlarmCurrentLedDisabled;
    if (type.Name.empty()) type.Name = "Type " + std::to_string(DeviceTypeTable.size());
    DeviceTypeTable.push_back(type);
    DeviceTypeCount = static_cast<int>(DeviceTypeTable.size()) - 1;
    return static_cast<std::int16_t>(DeviceTypeCount);
}

std::int16_t EngineCatalogue::AddOther(OtherDevice other) {
    other.OtherNumber = static_cast<std::int16_t>(OtherDeviceTable.size());
    OtherDeviceTable.push_back(other);
    return other.OtherNumber;
}

void EngineCatalogue::AddCable(const std::string& name, std::int16_t impedance, bool visible) {
    CableTable.push_back({name, impedance, visible, 0});
}

DeviceTypeRecord Device(std::int32_t quiescent, std::int32_t alarm, double internalResistance) {
    DeviceTypeRecord t;
    t.QuiescentCurrent = quiescent;
    t.AlarmCurrent = alarm;
    t.AlarmCurrentLedDisabled = alarm;
    t.InternalResistance = internalResistance;
    t.IconNumber = 1;
    return t;
}

DeviceTypeRecord DeviceWithOutput(std::int32_t alarm, std::int16_t outputKind,
                                  std::int32_t bitCurrent) {
    DeviceTypeRecord t = Device(0, alarm);
    t.OutputUse = {outputKind, kNoOutput, kNoOutput};
    t.OutputBitCurrent = {bitCurrent, 0, 0};
    return t;
}

DeviceTypeRecord SurgeDevice(std::int32_t surge, std::int32_t maxSurge) {
    DeviceTypeRecord t = Device(0, 0);
    t.SurgeCurrent = surge;
    t.MaxSurgeCurrent = maxSurge;
    return t;
}

OtherDevice Other(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance) {
    OtherDevice o;
    o.OtherQuiescent = quiescent;
    o.OtherAlarm = alarm;
    o.OtherSurge = quiescent;
    o.OtherImpedance = impedance;
    return o;
}

OtherDevice StandaloneOther(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance) {
    OtherDevice o = Other(quiescent, alarm, impedance);
    o.IsStandaloneContext = true;
    return o;
}

OtherDevice BaseOther(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance) {
    OtherDevice o = Other(quiescent, alarm, impedance);
    o.IsBaseContext = true;
    return o;
}

std::unique_ptr<clsCalculator> NewLoop() {
    auto loop = std::make_unique<clsCalculator>();
    loop->ClearData();
    loop->MaxOutput(256);
    loop->SetPanelData(256, 256, 256, 2400, 500, 0);
    return loop;
}

void Recalculate(clsCalculator& loop, bool wiringChecks, bool distribution,
                 std::int16_t percentage) {
    loop.Calculate(distribution, percentage, !wiringChecks);
}
