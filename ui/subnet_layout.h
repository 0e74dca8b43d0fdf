#pragma once

#include <QRect>
#include <array>
#include <string_view>

namespace tessnivar {

// Where each control of the main window stands, in twips from the top-left corner of the
// client area, as the window was designed.
struct ControlPlacement {
    std::string_view name;
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 4680;
inline constexpr int kClientHeightTwips = 5205;

inline constexpr std::array<ControlPlacement, 21> kSubnetLayout{{
    {"Label1", 120, 120, 975, 255},          {"Label2", 1200, 120, 1695, 255},
    {"Label4", 3000, 120, 1575, 255},        {"lstSubnet", 120, 360, 975, 2205},
    {"lstStart", 1200, 360, 1695, 2205},     {"lstEnd", 3000, 360, 1575, 2205},
    {"Label3", 120, 2760, 975, 255},         {"txtIP0", 1200, 2760, 375, 285},
    {"txtIP1", 1800, 2760, 375, 285},        {"txtIP2", 2400, 2760, 375, 285},
    {"txtIP3", 3000, 2760, 375, 285},        {"Label5", 120, 3240, 1095, 255},
    {"txtSubnet", 1200, 3240, 2175, 285},    {"Label6", 120, 3720, 1095, 255},
    {"txtBits", 1200, 3720, 495, 285},       {"UpDown1", 1800, 3720, 240, 375},
    {"Label7", 120, 4200, 615, 255},         {"txtSubnets", 840, 4200, 615, 285},
    {"Label8", 1680, 4200, 1215, 255},       {"txtHosts", 2880, 4200, 735, 285},
    {"cmdCalculate", 1680, 4680, 1215, 495},
}};

// The placement of the control called name; every control the window creates is in the table.
[[nodiscard]] constexpr const ControlPlacement& PlacementOf(std::string_view name) {
    for (const ControlPlacement& placement : kSubnetLayout)
        if (placement.name == name)
            return placement;
    return kSubnetLayout.front();
}

// The placement in pixels at 96 dots per inch.
[[nodiscard]] constexpr QRect PixelRect(const ControlPlacement& p) {
    return QRect(p.left / kTwipsPerPixel, p.top / kTwipsPerPixel, p.width / kTwipsPerPixel,
                 p.height / kTwipsPerPixel);
}

} // namespace tessnivar
