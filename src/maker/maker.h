#pragma once

#include <string_view>

// The maker's details, shown in the About window and printed at the head of every
// report. They are fictitious: a made-up street, numbers from the 555-01xx range
// kept for fiction, contacts by role.
namespace maker {

inline constexpr std::string_view kName = "Vantrel, Inc.";
inline constexpr std::string_view kStreet = "1200 Meter Lane";
inline constexpr std::string_view kCity = "Redfield, OK 74999";
inline constexpr std::string_view kPhone = "Ph 918-555-0142  Fax 918-555-0143";
inline constexpr std::string_view kSales = "Sales Desk";
inline constexpr std::string_view kSupport = "Service Desk";
inline constexpr std::string_view kWeb = "example.com";

}  // namespace maker
