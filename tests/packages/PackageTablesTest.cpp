#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/RealData.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"

using namespace packages;
namespace pw = package_writer;
using testing_support::TempDir;

namespace {

const std::string kNotAPackage = "ERROR! This isn't an Unreal package";

// A small texture package: an imported class, a group, an export inside it.
struct SmallPackage {
  explicit SmallPackage(std::uint16_t version) : w(version) {
    const int engine = w.Import("Core", "Package", 0, "Engine");
    texture = w.Import("Core", "Class", engine, "Texture");
    group = w.Export("Skins", w.Import("Core", "Class", engine, "Package"));
    skin = w.Export("Skin", texture, w.IntTag("USize", 64) + w.NoneTag(), group);
  }
  pw::TPackageWriter w;
  int texture, group, skin;
};

std::string ErrorOf(const std::string& path) {
  try {
    TUTPackage p(path);
  } catch (const EUTPackageError& e) {
    return e.what();
  }
  return "";
}

TEST(PackageTables, BothHeaderLayoutsGiveTheSameTables) {
  for (std::uint16_t version : {61, 63, 64, 68, 69, 128}) {
    TempDir dir;
    SmallPackage small(version);
    small.w.Heritage = {pw::TGuid{1}, pw::TGuid{2}};
    small.w.Guid = pw::TGuid{9, 8, 7};
    small.w.Generations = {{3, 10}};
    TUTPackage p(small.w.Write(dir.file("MyTex.utx")));
    SCOPED_TRACE(version);
    EXPECT_EQ(p.FileVersion(), version);
    ASSERT_EQ(p.ExportCount(), 2);
    ASSERT_EQ(p.ImportCount(), 3);
    EXPECT_EQ(p.GetExport(1)->GetClassName(), "Texture");
    EXPECT_EQ(p.GetExport(1)->GetFullPath(), "Skins.Skin");
    EXPECT_EQ(p.GetExport(1)->GetPackagePath(), "Skins");
    EXPECT_EQ(p.GetImport(1)->GetPackagePath(), "Engine");
    EXPECT_EQ(p.GetName(0), "None");
    if (version < 68) {
      EXPECT_EQ(p.Heritage(), (std::vector<TUTGuid>{TUTGuid{1}, TUTGuid{2}}));
      EXPECT_TRUE(p.Generations().empty());
    } else {
      // The header GUID stands in as the one heritage entry.
      EXPECT_EQ(p.Heritage(), std::vector<TUTGuid>{(TUTGuid{9, 8, 7})});
      ASSERT_EQ(p.Generations().size(), 1u);
      EXPECT_EQ(p.Generations()[0].ExportCount, 3);
      EXPECT_EQ(p.Generations()[0].NameCount, 10);
    }
  }
}

TEST(PackageTables, ExportFieldsAndClassObjects) {
  TempDir dir;
  pw::TPackageWriter w(69);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const int actor = w.Import("Core", "Class", engine, "Actor");
  const int myActor = w.Export("MyActor", 0, "", 0, actor, 0x00070004);
  const int empty = w.Name("");
  TUTPackage p(w.Write(dir.file("MyMod.u")));
  const TUTExportTableObjectData& e = *p.GetExport(myActor - 1);
  EXPECT_EQ(e.GetClassName(), "");
  EXPECT_EQ(e.GetSuperPath(), "Engine.Actor");
  EXPECT_EQ(e.ObjectFlags, 0x00070004u);
  // No data: the offset field is absent and reads as 0.
  EXPECT_EQ(e.SerialSize, 0);
  EXPECT_EQ(e.SerialOffset, 0);
  EXPECT_EQ(p.GetName(empty), "");
  EXPECT_EQ(p.GetName(-1), "");
  EXPECT_EQ(p.GetName(p.NameCount()), "");
  EXPECT_EQ(p.GetExport(1), nullptr);
  EXPECT_EQ(p.GetImport(-1), nullptr);
}

TEST(PackageTables, NotAPackage) {
  TempDir dir;
  EXPECT_EQ(ErrorOf(dir.write("short.u", "\xC1\x83\x2A")), kNotAPackage);
  EXPECT_EQ(ErrorOf(dir.write("other.u", "\xC1\x83\x2A\x9F" + std::string(60, '\0'))), kNotAPackage);
  EXPECT_EQ(ErrorOf(dir.write("empty.u", "")), kNotAPackage);
  EXPECT_THROW(TUTPackage{dir.file("other.u")}, EInvalidUTPackage);
}

TEST(PackageTables, MissingFileIsAProcessingErrorUnlessRedirected) {
  TempDir dir;
  const std::string missing = dir.file("Missing.utx");
  EXPECT_EQ(ErrorOf(missing).rfind("Exception processing package " + missing + "\r\n", 0), 0u);
  // A folder cannot be opened as a package file either.
  EXPECT_EQ(ErrorOf(dir.path()), "Exception processing package " + dir.path() + "\r\nCannot open file \"" + dir.path() + "\"");

  SmallPackage small(69);
  const std::string real = small.w.Write(dir.file("Real.utx"));
  TUTPackage p;
  std::string offered;
  p.OnFileNotFound = [&](std::string& name) {
    offered = name;
    name = real;
  };
  p.Load(missing);
  EXPECT_EQ(offered, missing);
  EXPECT_EQ(p.FileName(), real);
  EXPECT_EQ(p.ExportCount(), 2);
}

TEST(PackageTables, ProgressStepsPerEntryAndEndsAtHundred) {
  TempDir dir;
  SmallPackage small(69);  // 2 exports, 3 imports, 1 heritage
  const std::string path = small.w.Write(dir.file("MyTex.utx"));
  TUTPackage p;
  std::vector<int> steps;
  p.OnProgress = [&](TUTPackage&, int percent) { steps.push_back(percent); };
  p.Load(path);
  const int total = p.NameCount() + 2 + 3 + 1;
  ASSERT_EQ(static_cast<int>(steps.size()), total + 2);
  EXPECT_EQ(steps.front(), 0);
  EXPECT_EQ(steps[1], 100 / total);
  EXPECT_EQ(steps.back(), 100);

  steps.clear();
  EXPECT_THROW(p.Load(dir.write("bad.utx", "\xC1\x83\x2A\x9E" + std::string(8, '\0'))), EProcessingUTPackage);
  EXPECT_EQ(steps, (std::vector<int>{0, 100}));

  // A progress handler that fails at the end reaches the caller, also
  // after a failed read, and the file is closed all the same.
  p.OnProgress = [](TUTPackage&, int percent) {
    if (percent == 100) throw std::runtime_error("cancelled");
  };
  EXPECT_THROW(p.Load(path), std::runtime_error);
  EXPECT_THROW(p.Load(dir.file("bad.utx")), std::runtime_error);
  EXPECT_THROW(p.Stream(), EUTReadError);
}

TEST(PackageTables, NoTablesFlagGivesEmptyTablesWhenTheyCannotBeRead) {
  TempDir dir;
  SmallPackage small(69);
  small.w.PackageFlags = 0x21;
  small.w.Override.ExportOffset = 1 << 30;
  TUTPackage p;
  std::vector<int> steps;
  p.OnProgress = [&](TUTPackage&, int percent) { steps.push_back(percent); };
  p.Load(small.w.Write(dir.file("Old.utx")));
  EXPECT_EQ(p.ExportCount(), 0);
  EXPECT_EQ(p.NameCount(), 0);
  EXPECT_EQ(steps.back(), 100);
  EXPECT_NE(p.TablesError(), "");
  // Later games set the same flag on ordinary packages: those are read.
  SmallPackage ordinary(127);
  ordinary.w.PackageFlags = 0x21;
  p.Load(ordinary.w.Write(dir.file("New.utx")));
  EXPECT_EQ(p.ExportCount(), 2);
  EXPECT_EQ(p.TablesError(), "");
  EXPECT_NO_THROW(p.RequireTables());
}

// A real package that carries the flag (TeamSymbols.utx), cut short or
// with a header or table the file cannot hold: the tables stay empty, but
// the package says why, and a caller that shows it is told so.
struct UnreadableTables {
  const char* name;
  std::string (*damage)(std::string bytes);
  const char* reason;
};

std::string PutInt(std::string bytes, std::size_t offset, std::int32_t value) {
  return bytes.replace(offset, 4, pw::Int(value));
}

class FlaggedPackageTables : public ::testing::TestWithParam<UnreadableTables> {};

TEST_P(FlaggedPackageTables, KeepWhyTheyCouldNotBeRead) {
  const char* file = "pkg/ut2004/TeamSymbols.utx";
  REQUIRE_REALDATA(file);
  TempDir dir;
  TUTPackage p(testing_support::RealDataPath(file));
  ASSERT_EQ(p.PackageFlags() & 0x20, 0x20u);
  ASSERT_EQ(p.TablesError(), "");

  const std::string path = dir.write("Damaged.utx", GetParam().damage(testing_support::RealDataBytes(file)));
  ASSERT_NO_THROW(p.Load(path));
  EXPECT_EQ(p.ExportCount(), 0);
  EXPECT_EQ(p.NameCount(), 0);
  EXPECT_NE(p.TablesError().find(GetParam().reason), std::string::npos) << p.TablesError();
  try {
    p.RequireTables();
    ADD_FAILURE() << "no error";
  } catch (const EUnreadableUTTables& e) {
    EXPECT_EQ(std::string(e.what()), path + ": its tables could not be read: " + p.TablesError());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Damages, FlaggedPackageTables,
    ::testing::Values(
        UnreadableTables{"CutAt5000Bytes", [](std::string b) { return b.substr(0, 5000); }, "outside the data"},
        UnreadableTables{"HugeNameCount", [](std::string b) { return PutInt(b, 12, 0x7FFFFFFF); },
                         "Table counts too large"},
        UnreadableTables{"HugeExportCount", [](std::string b) { return PutInt(b, 20, 50000000); },
                         "Invalid array length"},
        UnreadableTables{"ExportOffsetPastTheEnd", [](std::string b) { return PutInt(b, 24, 1 << 30); },
                         "outside the data"},
        UnreadableTables{"FlippedNameBytes",
                         [](std::string b) {
                           for (std::size_t i = 64; i < 128; ++i) b[i] = static_cast<char>(~b[i]);
                           return b;
                         },
                         "Invalid name length"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackageTables, PackageFlagBit31IsAnError) {
  TempDir dir;
  SmallPackage small(69);
  small.w.PackageFlags = 0x80000001u;
  EXPECT_NE(ErrorOf(small.w.Write(dir.file("x.u"))).find("Exception processing package"), std::string::npos);
}

// A header field set to a value the file cannot satisfy.
struct BrokenHeader {
  const char* name;
  void (*apply)(pw::THeaderOverride&);
};

class BrokenHeaders : public ::testing::TestWithParam<BrokenHeader> {};

TEST_P(BrokenHeaders, GiveAProcessingErrorAndNoHugeAllocation) {
  for (std::uint16_t version : {61, 69}) {
    TempDir dir;
    SmallPackage small(version);
    GetParam().apply(small.w.Override);
    const std::string path = small.w.Write(dir.file("Broken.utx"));
    const std::string message = ErrorOf(path);
    EXPECT_EQ(message.rfind("Exception processing package " + path + "\r\n", 0), 0u) << version << ": " << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BrokenHeaders,
    ::testing::Values(
        BrokenHeader{"NegativeNameCount", [](pw::THeaderOverride& o) { o.NameCount = -1; }},
        BrokenHeader{"NegativeExportOffset", [](pw::THeaderOverride& o) { o.ExportOffset = -5; }},
        BrokenHeader{"HugeNameCount", [](pw::THeaderOverride& o) { o.NameCount = 0x7FFFFFFF; }},
        BrokenHeader{"HugeExportCount", [](pw::THeaderOverride& o) { o.ExportCount = 50000000; }},
        BrokenHeader{"HugeImportCount", [](pw::THeaderOverride& o) { o.ImportCount = 0x7FFFFFF0; }},
        BrokenHeader{"CountsSumPast32Bits",
                     [](pw::THeaderOverride& o) { o.NameCount = o.ExportCount = o.ImportCount = 0x7FFFFFFF; }},
        BrokenHeader{"NameOffsetPastTheEnd", [](pw::THeaderOverride& o) { o.NameOffset = 1 << 30; }},
        BrokenHeader{"ExportOffsetPastTheEnd", [](pw::THeaderOverride& o) { o.ExportOffset = 1 << 30; }},
        BrokenHeader{"OneNameTooMany", [](pw::THeaderOverride& o) { o.NameCount = 100; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackageTables, AnEmptyTableMayPointAnywhere) {
  TempDir dir;
  pw::TPackageWriter w(61);
  w.Export("Only", 0);
  w.Override.ImportOffset = 1 << 30;
  w.Override.HeritageOffset = -1 + (1 << 30);
  TUTPackage p(w.Write(dir.file("NoImports.u")));
  EXPECT_EQ(p.ExportCount(), 1);
  EXPECT_EQ(p.ImportCount(), 0);
  EXPECT_TRUE(p.Heritage().empty());
}

TEST(PackageTables, OldNamesKeepTheLengthLimitOfNewerFiles) {
  TempDir dir;
  pw::TPackageWriter longest(63);
  longest.Export(std::string(254, 'n'), 0);
  EXPECT_EQ(TUTPackage(longest.Write(dir.file("a.u"))).GetExport(0)->GetObjectName().size(), 254u);
  // A name that would be copied into every text naming it, as long as the
  // file allows.
  pw::TPackageWriter tooLong(63);
  tooLong.Export(std::string(100000, 'n'), 0);
  EXPECT_NE(ErrorOf(tooLong.Write(dir.file("b.u"))).find("Invalid name length 100001"), std::string::npos);
}

TEST(PackageTables, HugeHeritageAndGenerationCountsFail) {
  TempDir dir;
  SmallPackage old(61);
  old.w.Override.HeritageCount = 0x7FFFFFFF;
  EXPECT_NE(ErrorOf(old.w.Write(dir.file("a.u"))).find("Exception processing package"), std::string::npos);
  SmallPackage newer(69);
  newer.w.Override.GenerationCount = 0x10000000;
  EXPECT_NE(ErrorOf(newer.w.Write(dir.file("b.u"))).find("Exception processing package"), std::string::npos);
}

TEST(PackageTables, EveryTruncationFailsCleanlyOrLoads) {
  TempDir dir;
  SmallPackage small(69);
  const std::string full = small.w.Build();
  for (std::size_t n = 0; n < full.size(); ++n) {
    const std::string path = dir.write("t.utx", full.substr(0, n));
    try {
      TUTPackage p(path);
      ADD_FAILURE() << "a file cut to " << n << " bytes loaded";
    } catch (const EInvalidUTPackage&) {
      EXPECT_LT(n, 4u);
    } catch (const EProcessingUTPackage&) {
      EXPECT_GE(n, 4u);
    }
  }
}

TEST(PackageTables, ALoadReplacesEverythingAndAFailedLoadKeepsWhatWasRead) {
  TempDir dir;
  SmallPackage first(69);
  pw::TPackageWriter second(69);
  second.Export("Only", 0);
  TUTPackage p(first.w.Write(dir.file("First.utx")));
  p.EnumCache()["Style"] = "STY_None STY_Normal";
  p.Load(second.Write(dir.file("Second.u")));
  EXPECT_EQ(p.ExportCount(), 1);
  EXPECT_EQ(p.ImportCount(), 0);
  EXPECT_TRUE(p.EnumCache().empty());

  SmallPackage broken(69);
  broken.w.Override.ImportCount = 1000;
  EXPECT_THROW(p.Load(broken.w.Write(dir.file("Broken.utx"))), EProcessingUTPackage);
  EXPECT_EQ(p.ExportCount(), 2);  // names and exports came before the imports
  EXPECT_EQ(p.ImportCount(), 0);
}

}  // namespace
