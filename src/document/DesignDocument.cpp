#include "document/DesignDocument.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "catalogue/Panels.h"
#include "engine/clsCalculator.h"

namespace {

int LoopIndex(int loop) {
    if (loop < 1 || loop > kLoopCount) {
        throw std::out_of_range("loop number " + std::to_string(loop) + " outside 1 to 8");
    }
    return loop - 1;
}

int AddressIndex(int address) {
    if (address < 0 || address >= kAddressCount) {
        throw std::out_of_range("address " + std::to_string(address) + " outside 0 to 255");
    }
    return address;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads a run of 1 to maxDigits digits at pos; advances pos.
std::optional<int> ReadDigits(const std::string& s, size_t& pos, size_t maxDigits) {
    size_t start = pos;
    int value = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) &&
           pos - start < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == start) return std::nullopt;
    return value;
}

bool Expect(const std::string& s, size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

DateTime CurrentDateTime() {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatFileDate(const DateTime& d) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  d.hour, d.minute, d.second);
    return buffer;
}

std::optional<DateTime> ParseFileDate(const std::string& text) {
    DateTime d;
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    auto year = ReadDigits(text, pos, 4);
    if (!year || !Expect(text, pos, '-')) return std::nullopt;
    auto month = ReadDigits(text, pos, 2);
    if (!month || !Expect(text, pos, '-')) return std::nullopt;
    auto day = ReadDigits(text, pos, 2);
    if (!day) return std::nullopt;
    d.year = *year;
    d.month = *month;
    d.day = *day;
    if (d.year < 100 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month)) {
        return std::nullopt;
    }
    size_t afterDate = pos;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos < text.size() && pos > afterDate) {
        auto hour = ReadDigits(text, pos, 2);
        if (!hour || !Expect(text, pos, ':')) return std::nullopt;
        auto minute = ReadDigits(text, pos, 2);
        if (!minute) return std::nullopt;
        std::optional<int> second = 0;
        if (Expect(text, pos, ':')) {
            second = ReadDigits(text, pos, 2);
            if (!second) return std::nullopt;
        }
        if (*hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
        d.hour = *hour;
        d.minute = *minute;
        d.second = *second;
    }
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos != text.size()) return std::nullopt;
    return d;
}

DesignDocument::DesignDocument() = default;
DesignDocument::~DesignDocument() = default;

int DesignDocument::ChosenPanel() const {
    return GetCurrentPanel();
}

std::string& DesignDocument::LoopName(int loop) {
    return loopNames_[LoopIndex(loop)];
}

const std::string& DesignDocument::LoopName(int loop) const {
    return loopNames_[LoopIndex(loop)];
}

clsCalculator& DesignDocument::LoopModel(int loop) {
    auto& model = loopModels_[LoopIndex(loop)];
    if (!model) model = std::make_unique<clsCalculator>();
    return *model;
}

bool DesignDocument::HasLoopModel(int loop) const {
    return loopModels_[LoopIndex(loop)] != nullptr;
}

void DesignDocument::ReplaceLoopModel(int loop, std::unique_ptr<clsCalculator> model) {
    loopModels_[LoopIndex(loop)] = std::move(model);
}

std::int16_t& DesignDocument::DeviceCarriedValue(int loop, int address) {
    return carried_[LoopIndex(loop)][AddressIndex(address)];
}

std::int16_t DesignDocument::DeviceCarriedValue(int loop, int address) const {
    return carried_[LoopIndex(loop)][AddressIndex(address)];
}

bool& DesignDocument::DeviceEavesdropFlag(int loop, int address) {
    return eavesdrop_[LoopIndex(loop)][AddressIndex(address)];
}

bool DesignDocument::DeviceEavesdropFlag(int loop, int address) const {
    return eavesdrop_[LoopIndex(loop)][AddressIndex(address)];
}

void DesignDocument::ClearCarriedData(int loop) {
    carried_[LoopIndex(loop)].fill(0);
    eavesdrop_[LoopIndex(loop)].fill(false);
}

bool DesignDocument::CarriesNothing(int loop) const {
    static constexpr std::array<std::int16_t, kAddressCount> noValues{};
    static constexpr std::array<bool, kAddressCount> noFlags{};
    return carried_[LoopIndex(loop)] == noValues && eavesdrop_[LoopIndex(loop)] == noFlags;
}

bool DesignDocument::CarriesNothingAt(int loop, int address) const {
    return DeviceCarriedValue(loop, address) == 0 && !DeviceEavesdropFlag(loop, address);
}

DesignDocument& CurrentDocument() {
    static DesignDocument document;
    return document;
}
