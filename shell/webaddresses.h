#pragma once

// The maker's web pages; plain HTTP on one host.
namespace WebAddresses {

inline constexpr const char* Host = "http://www.grumbeck.de/";
inline constexpr const char* HomePage = "http://www.grumbeck.de/";

} // namespace WebAddresses
