// The case commands on disk: cancel and No touch nothing, delete removes only the case's own
// files, a save replaces the case whole (old records included) or leaves it as it was, and
// every file that cannot be opened whole ends in a message that names it.

#include <unistd.h>

#include "CaseFixture.h"
#include "cases/CaseFiles.h"
#include "cases/frmCase.h"

namespace casetest {
namespace {

using forms::mb::IdNo;
using forms::mb::IdYes;
using veltaro::fx;

class Commands : public CaseTest {
 protected:
  // A case "roof" of window 1 and a folder of neighbours that are not part of it.
  void roofCase() {
    forms::Form& w = open("frmCalc01");
    enter(w, {});
    calculated(w, {{"OVERFLADE", "24"}, {"VT", "35.1"}});
    save("roof.DAT");
    for (const char* other :
         {"roof.txt", "roof.C01.bak", ".roof", "roofs.DAT", "other.C02", "roof"})
      folder_.writeBytes("DATA/" + std::string(other), other);
  }
};

TEST_F(Commands, CancelAndNoTouchNothing) {
  roofCase();
  const auto before = files(folder);
  const std::string base = fx().CaseBasePath;
  header("ZZ", "Ikke gemt", "2027-01-01");  // a save would now write other bytes
  platform.expectSaveFile(std::nullopt);
  cases().CaseSave();
  platform.expectSaveFile(std::nullopt);
  cases().CaseNew();
  platform.expectOpenFile(std::nullopt);
  cases().CaseOpen();
  platform.expectOpenFile(std::nullopt);
  cases().CaseDelete();
  platform.expectOpenFile(path("roof.DAT"));
  platform.expectMsgBox(IdNo, "roof.C01");
  cases().CaseDelete();
  // A name that is no case opens nothing and creates nothing.
  platform.expectOpenFile(path("nothing.DAT"));
  platform.expectMsgBox(forms::mb::IdOk, "nothing.DAT");
  cases().CaseOpen();
  EXPECT_EQ(files(folder), before);
  EXPECT_EQ(fx().CaseBasePath, base);
  EXPECT_TRUE(fx().ResultValid[1]) << "the window was not touched";
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Commands, DeleteRemovesOnlyTheHeaderAndTheRecordFiles) {
  roofCase();
  folder_.writeBytes("DATA/roof.c24", std::string(218, ' '));
  auto expected = files(data);
  for (const char* f : {"roof.DAT", "roof.C01", "roof.c24"}) ASSERT_EQ(expected.erase(f), 1u) << f;
  platform.expectOpenFile(path("ROOF.dat"));
  platform.expectMsgBox(IdYes);
  cases().CaseDelete();
  EXPECT_EQ(files(data), expected);
  // A name that is no case: nothing to delete, and said so.
  platform.expectOpenFile(path("roof.txt"));
  platform.expectMsgBox(forms::mb::IdOk, "nothing was deleted");
  cases().CaseDelete();
  EXPECT_EQ(files(data), expected);
}

TEST_F(Commands, ASaveReplacesTheRecordsOfTheEarlierSave) {
  roofCase();
  forms::Form& w2 = open("frmCalc02");
  enter(w2, {});
  calculated(w2, {{"ISOLERINGST", "40"}, {"VARMETAB", "20"}});
  save("roof.DAT");
  ASSERT_TRUE(files(data).count("roof.C02"));
  w2.control("MEDIETEMP").setText("90");  // the result no longer belongs to the inputs
  save("roof.DAT");
  EXPECT_FALSE(files(data).count("roof.C02"));
  EXPECT_TRUE(files(data).count("roof.C01"));
  EXPECT_TRUE(files(data).count("other.C02"));
  // A new case of an existing name is the header alone.
  platform.expectSaveFile(path("other.DAT"));
  cases().CaseNew();
  EXPECT_TRUE(files(data).count("other.DAT"));
  EXPECT_FALSE(files(data).count("other.C02"));
  EXPECT_TRUE(files(data).count("roof.C01"));
  // Upper- and lower-case names are one case: written back under the names they have.
  fs::rename(data / "roof.C01", data / "roof.c01");
  fs::rename(data / "roof.DAT", data / "roof.dat");
  save("roof.DAT");
  openCase("Roof.Dat");
  EXPECT_TRUE(files(data).count("roof.c01") && files(data).count("roof.dat"));
  EXPECT_FALSE(files(data).count("roof.C01") || files(data).count("roof.DAT"));
  EXPECT_NE(app.find("frmCalc01"), nullptr);
  EXPECT_TRUE(fx().ResultValid[1]);
}

TEST_F(Commands, AFailedSaveSaysWhichFileAndKeepsTheCase) {
  roofCase();
  const auto before = files(data);
  forms::Form& w2 = open("frmCalc02");
  enter(w2, {});
  calculated(w2, {{"ISOLERINGST", "40"}, {"VARMETAB", "20"}});
  header("XY", "Ny", "2026-12-24");         // a header that would differ from the one on disk
  fs::create_directory(data / "roof.C02");  // a folder where the record should go
  platform.expectMsgBox(forms::mb::IdOk, "roof.C02");
  save("roof.DAT");
  EXPECT_EQ(files(data), before);
  if (::geteuid() != 0) {  // the superuser writes into a read-only folder all the same
    fs::remove(data / "roof.C02");
    fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec);
    platform.expectMsgBox(forms::mb::IdOk, "roof");
    save("roof.DAT");
    fs::permissions(data, fs::perms::owner_all);
    EXPECT_EQ(files(data), before);
  }
  // A folder that does not exist.
  platform.expectMsgBox(forms::mb::IdOk, "missing/roof.DAT");
  save("missing/roof.DAT");
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Commands, ATypedValueThatDoesNotFitIsNamedBeforeSaving) {
  header("ABCD", "Łódź", "2026-12-07");
  const std::string longName = "Torvelin Lamelmåtte 50 mm alu";  // 29 bytes, its position keeps it
  writeLines("Text/Product.DK", {longName + ";0.036;0.00018;0.0000012;-50;600;30;50;", longName});
  forms::Form& w = open("frmCalc01");
  enter(w, {.medium = "-180", .product = longName});
  platform.expectMsgBox(IdNo, "MEDIETEMP: \"-180\" as \"-18\"");
  // A result keeps its first bytes, as always, but not when they lose whole digits.
  calculated(w, {{"VT", "1234.56"}, {"Bespar", "243657719"}});
  // While the question is open no other case command starts.
  platform.onMsgBox = [this] { cases().CaseOpen(); };
  save("cut.DAT");
  platform.onMsgBox = nullptr;
  EXPECT_FALSE(fs::exists(data / "cut.DAT"));
  const std::string prompt = platform.callsOf("msgBox").back().text;
  for (const char* named : {"Initialer: \"ABCD\" as \"ABC\"", "Sagsnavn: \"Łódź\" as \"?ód?\"",
                            "Bespar: \"243657719\" as \"24365771\""})
    EXPECT_NE(prompt.find(named), std::string::npos) << prompt;
  EXPECT_EQ(prompt.find("PRODUKT"), std::string::npos);
  EXPECT_EQ(prompt.find("VT"), std::string::npos);
  platform.expectMsgBox(IdYes);
  save("cut.DAT");
  EXPECT_EQ(files(data)["cut.C01"].substr(18, 3), "-18");
}

TEST_F(Commands, ARecordThatCannotComeBackWholeIsReported) {
  roofCase();
  std::string record = files(data)["roof.C01"];
  struct Case {
    const char* what;
    std::string bytes;
    bool opens;
    const char* message;
  };
  std::string badProduct = record, typedProduct = record;
  badProduct[46] = 9;  // a product position beyond the three products
  typedProduct[46] = typedProduct[47] = '\xff';
  const Case cases_[] = {
      {"short", record.substr(0, 179), false, "shorter than 180 bytes"},
      {"longer", record + "tail", true, nullptr},
      {"position outside the list", badProduct, true, "PRODUKT: list position 9"},
      {"typed value", typedProduct, true, nullptr},
  };
  for (const Case& c : cases_) {
    SCOPED_TRACE(c.what);
    folder_.writeBytes("DATA/roof.C01", c.bytes);
    if (c.message) platform.expectMsgBox(forms::mb::IdOk, c.message);
    openCase("roof.DAT");
    EXPECT_EQ(app.find("frmCalc01") != nullptr, c.opens);
    EXPECT_EQ(fx().ResultValid[1], c.opens && !c.message);
    EXPECT_TRUE(platform.scriptDone());
    if (c.opens) {
      EXPECT_EQ(app.find("frmCalc01")->control("PRODUKT").text(), calctest::kPipeProduct);
    }
  }
  // A header shorter than its record: the case fields show their labels alone.
  folder_.writeBytes("DATA/roof.DAT", "AB");
  platform.expectMsgBox(forms::mb::IdOk, "header is shorter");
  openCase("roof.DAT");
  EXPECT_EQ(main().control("txtCase", 0).text(), "Initialer: ");
}

TEST_F(Commands, PathsOfTheCase) {
  using veltaro::cases::StripExtension;
  const std::pair<const char*, const char*> paths[] = {
      {"/d/Old.cases/roof.DAT", "/d/Old.cases/roof"},
      {"/d/Old.cases/roof", "/d/Old.cases/roof"},
      {"/d/roof.v2.dat", "/d/roof.v2"},
      {"roof.", "roof"},
      {"C:\\My.cases\\roof", "C:\\My.cases\\roof"}};
  for (auto [in, out] : paths) EXPECT_EQ(StripExtension(in), out) << in;
  const std::pair<int, const char*> extensions[] = {{1, ".C01"},  {6, ".C06"},  {7, ".C21"},
                                                    {10, ".C24"}, {11, ".C07"}, {12, ""}};
  for (auto [type, ext] : extensions) EXPECT_EQ(veltaro::cases::CaseExtension(type), ext) << type;
}

TEST_F(Commands, HeaderDialogFillsTheCaseFields) {
  header("AB", "Gammel sag", "2001-01-01");
  platform.clock = std::chrono::system_clock::from_time_t(1'700'000'000);
  auto& dialog = app.get<veltaro::cases::frmCase>();
  EXPECT_EQ(dialog.control("txtFileCase", 1).text(), "Gammel sag");
  EXPECT_EQ(dialog.caption(), "Sag");
  EXPECT_EQ(dialog.control("lblDate").caption().size(), 19u);
  auto retype = [](forms::Control& box, const std::string& text) {
    box.userFocus();
    box.userSelect(0, static_cast<int>(box.text().size()));
    box.userType(text);
  };
  retype(dialog.control("txtFileCase", 0), "XYZW");
  EXPECT_EQ(dialog.control("txtFileCase", 0).text(), "XYZ");
  dialog.control("cmdCancel").userClick();
  EXPECT_EQ(main().control("txtCase", 0).text(), "Initialer:  AB");
  auto& again = app.get<veltaro::cases::frmCase>();
  retype(again.control("txtFileCase", 0), "KL");
  again.control("cmdOK").userClick();
  EXPECT_EQ(main().control("txtCase", 0).text(), "Initialer:  KL");
  EXPECT_EQ(main().control("txtCase", 1).text(), "Sagsnavn:  Gammel sag");
  EXPECT_EQ(main().control("txtCase", 2).text(),
            "Dato:  " + veltaro::cases::frmCase::DateTimeStamp().substr(0, 10));
  EXPECT_FALSE(app.isLoaded("frmCase"));
}

}  // namespace
}  // namespace casetest
