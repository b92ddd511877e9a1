#pragma once
// The program's fixed identity: version, release, names and the single-copy key.

namespace appinfo {

inline constexpr char versionNumber[] = "1.0.15";
inline constexpr char releaseName[] = "2020.1";
// The title bar shows this text followed by the release name.
inline constexpr char titlePrefix[] = "Veltrane 2 Tunemark ";
inline constexpr char programName[] = "veltrane2-tunemark";
inline constexpr char organisationName[] = "Halvern Labs";
inline constexpr char runGuardKey[] = "HLVeltRANE_Configuration_Tool";
inline constexpr char styleSheetResource[] = ":/style_dark/darkorange.css";
inline constexpr char windowIconResource[] = ":/graphics2/veltrane2.ico";

} // namespace appinfo
