#pragma once
// The model of one loop of the chosen control panel: the devices at its 256 address slots, the
// other devices, bases and standalone devices attached to them, the order of the addresses
// along the cable, the cable data, the calculation settings and the panel's limits. It keeps
// running totals of the loop's currents as devices are set, and holds the results of the last
// Calculate and of the wiring checks that explain a failed design.
//
// Properties follow one pattern: `Name(...)` reads, `Name(..., value)` writes.
//
// Faults: a slot outside 0..255 or a sub-address outside 2..125 throws std::out_of_range, except
// where a member says it is ignored or answers 0 or 1; so does a device type or other device
// number outside its catalogue table. An arithmetic overflow throws RuntimeFault (number 6).
// No member shows a message.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/Numbers.h"

struct DeviceTypeRecord;

// Something that can measure the width of a text in its font (a window, a printer page).
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double TextWidth(const std::string& text) const = 0;
};

class clsCalculator {
public:
    static constexpr int kSlotCount = 256;  // address slots 0 to 255
    static constexpr int kFirstSub = 2;     // standalone sub-addresses 2 to 125
    static constexpr int kLastSub = 125;
    static constexpr int kSubCount = kLastSub - kFirstSub + 1;
    static constexpr std::int32_t kMaxCableLength = 20000;  // decimetres, 2000 m

    // Verdict codes of LoopDesign.
    enum Verdict : std::int32_t {
        kSatisfactory = 0,
        kAlarmCurrentTooHigh = 1,
        kVoltDropTooHigh = 2,
        kQuiescentTooHigh = 3,
        kFirstRunTooLong = 4,
        kNoValidCableLength = 5,
        kSurgeTooHigh = 6,
        kIsolatorBetweenMasterSlave = 7,
        kDependentDevices = 8,
    };

    clsCalculator();
    clsCalculator(const clsCalculator&) = delete;
    clsCalculator& operator=(const clsCalculator&) = delete;

    std::int32_t LocationOfMaster(std::int32_t slot) const;
    std::int32_t QtyDevices() const { return qtyDevices_; }
    void Calculate(bool distribution, std::int16_t firstRunPercentage, bool skipWiringChecks);
    Amount QuiescentCurrentTotal() const { return quiescentCurrentTotal_; }
    Amount AlarmCurrentTotal() const { return alarmCurrentTotal_; }
    Amount QuiescentCurrentDevices() const { return quiescentCurrentDevices_; }
    bool DesignIsSatisfactory() const { return loopDesign_ == kSatisfactory; }
    std::string LoopDesignShort() const;
    std::string LoopDesignLong() const;
    std::string DesignExplanation() const;
    Amount VoltDrop() const;  // volts
    // The volt drop of the last calculation before its rounding to tenths and its limit to the
    // drive voltage, in volts.
    double VoltDropUnrounded() const { return voltDropUnrounded_; }
    // The loads the last calculation spread along the cable: devices and standalone devices.
    std::int32_t LoadCount() const { return loadCount_; }
    // The devices' and other devices' resistance in series with the cable, hundredths of an ohm.
    double SeriesResistance() const { return seriesResistance_; }
    std::int16_t DriverImpedance() const { return driverImpedance_; }  // hundredths of an ohm
    std::int16_t MinDriveVoltage() const { return minDriveVoltage_; }  // hundredths of a volt
    Amount AlarmCurrentDevices() const { return alarmCurrentDevices_; }
    Amount MaxVoltDrop() const { return maxVoltDrop_; }  // volts
    std::string PanelLimitText() const { return panelLimitText_; }
    std::int32_t CalcType() const { return calcType_; }
    void CalcType(std::int32_t value) { calcType_ = value; }
    std::int16_t DeviceType(std::int32_t slot) const;
    void DeviceType(std::int32_t slot, std::int16_t value);
    std::int32_t QtyOthers(std::int32_t otherType) const;
    std::int32_t CableFirst() const { return cableFirst_; }
    void CableFirst(std::int32_t value) { cableFirst_ = value; }
    std::int32_t CableTotal() const { return cableTotal_; }
    void CableTotal(std::int32_t value) { cableTotal_ = value; }
    std::int16_t CableImpedance() const { return cableImpedance_; }
    void CableImpedance(std::int16_t value) { cableImpedance_ = value; }
    std::int32_t MaxOutput() const { return maxOutput_; }
    void MaxOutput(std::int32_t value) { maxOutput_ = value; }
    bool DINLEDsDisabled() const { return dinLedsDisabled_; }
    void DINLEDsDisabled(bool value) { dinLedsDisabled_ = value; }
    static constexpr std::int32_t MinCalcType() { return 0; }
    static constexpr std::int32_t MaxCalcType() { return 2; }
    std::unique_ptr<clsCalculator> Copy() const;
    void SetPanelData(std::int32_t AlarmLEDs, std::int32_t AlarmRemoteLEDs,
                      std::int32_t AlarmOutputs, std::int16_t MinDriveVoltage,
                      std::int16_t MaxLoopCurrent, std::int16_t DriverImpedance);
    std::int32_t LongestLoopDesignShort(const TextMeasurer& measurer) const;
    std::int16_t DeviceOtherType(std::int32_t slot) const;
    void DeviceOtherType(std::int32_t slot, std::int16_t value);
    std::int32_t AddressOrder(std::int32_t slot) const;
    void AddressOrder(std::int32_t slot, std::int32_t order);
    void ResetAddressOrder();
    std::int32_t AddressFromOrder(std::int32_t order) const;
    bool AddressesAreInOrder() const;
    // Whether no slot holds a device, other device, base or standalone device, and every slot
    // is in its own place along the cable: the loop as a new design has it.
    bool HoldsNothing() const;
    // The same for one slot: nothing on it and it in its own place.
    bool SlotIsBare(std::int32_t slot) const;
    bool IgnoreIsolators() const { return ignoreIsolators_; }
    void IgnoreIsolators(bool value) { ignoreIsolators_ = value; }
    void ClearData();
    std::int32_t DeviceStandaloneAddress(std::int32_t slot, std::int32_t sub) const;
    std::int16_t DeviceStandalone(std::int32_t slot, std::int32_t sub) const;
    void DeviceStandaloneAddress(std::int32_t slot, std::int32_t sub, std::int32_t address);
    void DeviceStandalone(std::int32_t slot, std::int32_t sub, std::int16_t type);
    std::int32_t DeviceStandaloneCount(std::int32_t slot) const;
    std::int32_t LoopDesign() const { return loopDesign_; }
    void GetIsolatorSpacingFailPoint(std::int32_t& slot, std::int32_t& sub) const;
    std::int16_t DeviceBaseType(std::int32_t slot) const;
    void DeviceBaseType(std::int32_t slot, std::int16_t value);
    std::int32_t DeviceBaseAddr(std::int32_t slot) const;
    void DeviceBaseAddr(std::int32_t slot, std::int32_t value);
    std::int16_t DeviceOtherBaseType(std::int32_t slot) const;
    void DeviceOtherBaseType(std::int32_t slot, std::int16_t value);
    std::int32_t QtyAddressableSlaveBases() const;
    bool CheckMasterSlave();
    void DeviceStandaloneTypeAndAddress(std::int32_t slot, std::int32_t sub, std::int16_t type,
                                        std::int32_t address);

private:
    // Adds (sign 1) or removes (sign -1) the four figures a device type gives the running
    // totals: quiescent current, the two alarm currents and internal resistance.
    void AddDeviceFigures(const DeviceTypeRecord& type, int sign);
    // Sets the other device or other base at a slot (ignored outside 0..255), keeping the
    // series resistance.
    void SetAttachedOther(std::array<std::int16_t, kSlotCount>& table, std::int32_t slot,
                          std::int16_t value);
    std::int16_t VoltDropForCable(std::int32_t loadCount);
    static void SortCurrentsDescending(std::vector<std::int32_t>& currents, std::size_t first,
                                       std::size_t last);
    // Limits a list of currents to `limit` entries by dropping the smallest; returns the sum
    // of the dropped currents.
    static std::int64_t DropSmallestCurrents(std::vector<std::int32_t>& currents,
                                             std::int32_t limit);
    void CalculateMaximumCableRun(bool distribution, std::int16_t firstRunPercentage,
                                  std::int32_t loadCount);
    // The volt drop of the last calculation exceeds the largest the devices tolerate.
    bool VoltDropTooHigh() const;
    std::int32_t JudgeDesign(bool skipWiringChecks);
    // The loop as the wiring checks walk it, gathered once per run of the checks.
    struct WiringLayout;
    WiringLayout LayOut() const;
    // 0 when every wiring check passes, else the verdict of the first that fails.
    std::int32_t WiringVerdict();
    bool CheckSwitchOnSurge(const WiringLayout& layout);
    bool CheckMasterSlave(const WiringLayout& layout);
    bool CheckDependentDevices();

    // Per-slot data.
    std::array<std::int16_t, kSlotCount> deviceType_{};
    std::array<std::int16_t, kSlotCount> otherType_{};
    std::array<std::int16_t, kSlotCount> otherBaseType_{};
    std::array<std::int16_t, kSlotCount> baseType_{};
    std::array<std::int16_t, kSlotCount> baseAddress_{};
    // Standalone devices behind each slot, by sub-address; a slot that never held one keeps
    // both lists empty (few slots ever do, and eight full tables would weigh 1.5 MB).
    std::array<std::vector<std::int16_t>, kSlotCount> standaloneType_{};
    std::array<std::vector<std::int32_t>, kSlotCount> standaloneAddress_{};
    std::array<std::int32_t, kSlotCount> standaloneCount_{};
    std::array<std::int32_t, kSlotCount> addressOrder_{};

    // Running totals, in µA (series resistance in hundredths of an ohm).
    Amount quiescentCurrentDevices_;
    Amount alarmCurrentLedsEnabled_;
    Amount alarmCurrentLedsDisabled_;
    Amount standaloneQuiescent_;
    Amount standaloneAlarm_;
    double seriesResistance_ = 0;

    // Settings.
    std::int32_t calcType_ = 0;
    std::int32_t cableFirst_ = 0;
    std::int32_t cableTotal_ = 0;
    std::int16_t cableImpedance_ = 0;
    std::int32_t maxOutput_ = 0;
    bool dinLedsDisabled_ = false;
    bool ignoreIsolators_ = false;

    // Panel data.
    std::int32_t alarmLeds_ = 256;
    std::int32_t alarmRemoteLeds_ = 256;
    std::int32_t alarmOutputs_ = 256;
    std::int16_t minDriveVoltage_ = 0;  // hundredths of a volt
    std::int16_t maxLoopCurrent_ = 0;   // mA
    std::int16_t driverImpedance_ = 0;  // hundredths of an ohm

    // Results of the last Calculate.
    std::int32_t qtyDevices_ = 0;
    Amount quiescentCurrentTotal_;
    Amount alarmCurrentDevices_;
    Amount alarmCurrentTotal_;
    std::int16_t voltDrop_ = 0;     // tenths of a volt
    double voltDropUnrounded_ = 0;  // volts
    std::int32_t loadCount_ = 0;
    Amount maxVoltDrop_;  // volts
    std::int32_t loopDesign_ = kSatisfactory;
    std::string panelLimitText_;
    bool noValidCableLength_ = false;
    bool lastDistribution_ = false;
    std::int16_t lastFirstRunPercentage_ = 0;
    bool lastSkipWiringChecks_ = false;

    // Failure details of the wiring checks.
    std::int32_t surgeFromAddress_ = 0;  // 0: the control panel
    std::int32_t surgeToAddress_ = 0;
    Amount surgeCurrent_;
    std::int32_t spacingFailSlot_ = 0;  // 0: none
    std::int32_t spacingFailSub_ = 0;
    std::int32_t masterAddress_ = 0;
    std::int32_t masterLocation_ = 0;
    std::int32_t slaveAddress_ = 0;
    bool standaloneSlave_ = false;
    std::int32_t slaveNextAddress_ = 0;  // 0: the control panel
    std::int32_t dependentFailAddress_ = 0;
    std::int32_t dependentFailType_ = 0;
};
