#pragma once
// The catalogue preferences: which device families are offered (FamilyShown, kept by the device
// catalogue), which device types are standard devices (offered first when devices are placed),
// the cable impedance and the calculation type last used. Each lives in the settings store and
// each change is written there at once.
#include <cstdint>
#include <vector>

// One flag per device type 0 to DeviceTypeCount.
extern std::vector<bool> StandardDevice;

// A type may be a standard device when it can be placed, is not an icon-only type and is not a
// slave.
bool IsEligibleStandardDevice(int type);
// Fills StandardDevice from the settings StandardDevice<d>; an eligible type without a stored
// value starts as its family's FamilyShown.
void LoadStandardDevices();
// False for a number outside the table.
bool IsStandardDevice(int type);
// Stores the flag and, when it changed, writes StandardDevice<type>.
void SetStandardDevice(int type, bool value);

// The first run offers each family by its region (FamilyText3, compared in upper case): "US" only
// to North American users, "NONUS" only to others, "ALL" to everyone, any other region to no one.
// The choice is stored through SetFamilyShown.
void ApplyFirstRunFamilyOffers(bool northAmerican);

// LastCableImpedance from the settings when it is a whole number from 0 to 10000, else the
// first visible cable's impedance.
void LoadLastCableImpedance();
std::int16_t GetLastCableImpedance();
// Stores the value and, when it changed, writes LastCableImpedance.
void SetLastCableImpedance(std::int16_t value);

// The calculation type last chosen (0 maximum volt drop, 1 maximum cable run, 2 smallest cable),
// as stored in the setting LastCalcType; used for the loops of a new design.
void LoadLastCalcType();
std::int32_t GetLastCalcType();
// Stores the value and, when it changed, writes LastCalcType.
void SetLastCalcType(std::int32_t value);

// Clears the preferences held in memory (the settings are not touched).
void ResetCataloguePreferences();
