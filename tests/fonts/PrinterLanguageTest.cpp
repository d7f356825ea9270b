// Which languages a printer speaks, from its device ID and its PJL answer.
#include <gtest/gtest.h>

#include "fonts/Pjl.h"
#include "fonts/PrinterLanguage.h"

namespace fontprobe {
namespace {

using enum PrinterLanguage;

TEST(LanguagesIn, ReadsTheCommandSetOfRealDeviceIds) {
  const struct {
    const char* deviceId;
    std::vector<PrinterLanguage> languages;
    bool pjl;
  } cases[] = {
      {"MFG:Hewlett-Packard;CMD:PJL,PCL,PCLXL,POSTSCRIPT;MDL:HP LaserJet 4250;CLS:PRINTER;",
       {Pcl, PostScript},
       true},
      {"MANUFACTURER:Lexmark International;COMMAND SET:PCL 5e Emulation,PostScript Level 3 "
       "Emulation,PJL;MODEL:Lexmark T640;",
       {Pcl, PostScript},
       true},
      {"MFG:Brother;CMD:PJL,HBP,PCL,PCLXL,BR-Script3;MDL:HL-5450DN series;",
       {Pcl, PostScript},
       true},
      {"MFG:Kyocera;CMD:PCLXL,PJL,PCL5E,KPDL;MDL:FS-2100DN;", {Pcl, PostScript}, true},
      {"mfg:Rig;mdl:PS;cmd:postscript;", {PostScript}, false},
      {" MFG : Rig ; CMD : PS3 , PJL ; ", {PostScript}, true},
      {"MFG:HP;MDL:LaserJet P2035;CMD:PJL,MLC,BIDI-ECP,PCL,PCLXL;", {Pcl}, true},
      // PCL XL (PCL 6) and ink-jet PCL 3 have no status readback for fonts.
      {"MFG:HP;CMD:PJL,PCLXL,PCL3GUI;MDL:Officejet;", {}, true},
      {"MFG:HP;CMD:PCL6,PJL;MDL:LaserJet;", {}, true},
      {"MFG:EPSON;CMD:ESCPL2,BDC,D4,D4PX;MDL:Stylus Photo R2400;", {}, false},
      {"MFG:OKI DATA CORP;CMD:EPSONFX,IBMPPR,OKIPOS;MDL:ML320;", {}, false},
      // "PS" only as a word of its own, never the start of a longer one.
      {"MFG:X;CMD:PSEUDO,PCLM;", {}, false},
      {"MFG:Zebra Technologies;MDL:ZTC ZT410-203dpi ZPL;", {}, false},
      {"", {}, false},
  };
  for (const auto& c : cases) {
    const Languages languages = LanguagesIn(CommandSet(c.deviceId));
    EXPECT_EQ(languages.fontLanguages, c.languages) << c.deviceId;
    EXPECT_EQ(languages.pjl, c.pjl) << c.deviceId;
  }
}

TEST(LanguageNamed, TakesTheTwoNamesInAnyCase) {
  EXPECT_EQ(LanguageNamed("postscript"), PostScript);
  EXPECT_EQ(LanguageNamed("PCL"), Pcl);
  EXPECT_EQ(LanguageNamed("ps"), std::nullopt);
  EXPECT_EQ(LanguageNamed("pclxl"), std::nullopt);
}

TEST(LanguagesInConfig, ReadsTheLanguagesOfAnInfoConfigAnswer) {
  const std::string laserJet =
      "@PJL INFO CONFIG\r\nIN TRAYS [3 ENUMERATED]\r\n\tINTRAY1 MP\r\n\tINTRAY2 PC\r\n"
      "\tINTRAY3 LC\r\nENVELOPE TRAY\r\nOUT TRAYS [1 ENUMERATED]\r\n\tNORMAL FACEDOWN\r\n"
      "LANGUAGES [2 ENUMERATED]\r\n\tPCL\r\n\tPOSTSCRIPT\r\nUSTATUS [4 ENUMERATED]\r\n"
      "\tDEVICE\r\n\tJOB\r\n\tPAGE\r\n\tTIMED\r\nMEMORY=2097152\r\nDISPLAY LINES=1\r\n\f";
  const struct {
    const char* what;
    std::string answer;
    std::optional<std::vector<std::string>> languages;
  } cases[] = {
      {"a LaserJet's answer", laserJet, std::vector<std::string>{"PCL", "POSTSCRIPT"}},
      {"after an unsolicited status",
       "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\f@PJL INFO CONFIG\nLANGUAGES [1 ENUMERATED]\n"
       "\tpclxl\n\f",
       std::vector<std::string>{"PCLXL"}},
      {"options with attributes",
       "@PJL INFO CONFIG\r\nLANGUAGES [2 ENUMERATED]\r\n\tPCL 5E\r\n\tPDF\r\n\f",
       std::vector<std::string>{"PCL", "PDF"}},
      {"cut off before its form feed", laserJet.substr(0, laserJet.size() - 1), std::nullopt},
      {"no LANGUAGES", "@PJL INFO CONFIG\r\nMEMORY=2097152\r\n\f", std::nullopt},
      {"not an answer to INFO CONFIG", "?\r\n\f", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguagesInConfig(c.answer), c.languages) << c.what;
    EXPECT_EQ(PjlAnswerEnded(c.answer),
              c.answer.find("CONFIG") != std::string::npos && c.answer.back() == '\f')
        << c.what;
  }
}

}  // namespace
}  // namespace fontprobe
