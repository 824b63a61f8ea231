#pragma once

// String numbers of the audience display's pictures and texts.
namespace DisplayPictureIds {
constexpr int kGameNone = 600;
constexpr int kGameAuto = 601;
constexpr int kGameTele = 602;
constexpr int kGameEnd = 603;
constexpr int kBattNone = 604;
constexpr int kBattOk = 605;
constexpr int kBattWarn = 606;
constexpr int kBattErr = 607;
constexpr int kBattUnk = 608;
constexpr int kWifiNone = 609;
constexpr int kWifiOk = 610;
constexpr int kWifiErr = 611;
constexpr int kWifiFrozen = 612;
constexpr int kJoyNorm1 = 613;
constexpr int kJoyLit1 = 614;
constexpr int kJoyBlank = 615;
constexpr int kJoyError = 616;
constexpr int kJoyNorm2 = 617;
constexpr int kJoyLit2 = 618;
constexpr int kCaption = 619;       // "Timer"
constexpr int kProgramIcon = 620;   // "tervofcs"
constexpr int kUnableToLoad = 223;  // "Unable to load image "%1""
constexpr int kImagesFolder = 180;  // "images"
constexpr int kImageExtension = 181; // "png"
}
