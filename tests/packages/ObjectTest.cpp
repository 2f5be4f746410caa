#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"

using namespace packages;
namespace pw = package_writer;
using testing_support::TempDir;

namespace {

// A content class as the texture and script readers write theirs: it reads
// one count after the properties and counts its three virtual calls.
class TCountingObject : public TUTObject {
 public:
  using TUTObject::TUTObject;
  int Initialized = 0, Read = 0, Freed = 0;
  std::int32_t Count = -1;
  std::int32_t Position = -1;

 protected:
  void InitializeObject() override {
    TUTObject::InitializeObject();
    ++Initialized;
    Count = -1;
  }
  void ReadData() override {
    TUTObject::ReadData();
    ++Read;
    Count = CheckArrayLength(Buffer().ReadInteger());
    Position = static_cast<std::int32_t>(Buffer().Position());
  }
  void FreeData() override {
    ++Freed;
    Count = -1;
    TUTObject::FreeData();
  }
};

class ObjectLifeCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    const int cls = w.Import("Core", "Class", w.Import("Core", "Package", 0, "Test"), "Counting");
    props = w.IntTag("USize", 64) + w.BoolTag("bMasked", true) + w.NoneTag();
    counted = w.Export("Counted", cls, props + pw::Int(3));
    empty = w.Export("Empty", cls);
    truncated = w.Export("Truncated", cls, w.IntTag("USize", 64));
  }
  TUTPackage& Load() {
    package = std::make_unique<TUTPackage>(w.Write(dir.file("Test.u")));
    return *package;
  }
  TCountingObject& Object(int ref) {
    auto& e = *package->GetExport(ref - 1);
    if (!e.ObjectIfCreated()) RegisterUTObjectClass("Counting", UTObjectClass<TCountingObject>());
    return dynamic_cast<TCountingObject&>(e.GetObject());
  }
  TempDir dir;
  pw::TPackageWriter w{69};
  std::string props;
  int counted, empty, truncated;
  std::unique_ptr<TUTPackage> package;
};

TEST_F(ObjectLifeCycle, ReadsPropertiesThenTheSubclassFields) {
  Load();
  TCountingObject& o = Object(counted);
  EXPECT_FALSE(o.Buffered());
  o.ReadObject(true);
  EXPECT_TRUE(o.DataRead());
  EXPECT_EQ(o.Count, 3);
  EXPECT_EQ(o.Position, static_cast<std::int32_t>(props.size() + 4));
  ASSERT_EQ(o.GetProperties().Count(), 3);
  EXPECT_EQ(o.GetProperties().GetItem(0).GetDescription(), "USize (Int) = 64");
  EXPECT_EQ(o.GetProperties().GetItem(1).GetDescription(), "bMasked (Bool) = True");
  EXPECT_EQ(o.GetProperties().GetItem(2).GetDescription(), "None");
  EXPECT_EQ(o.GetProperties().GetItem(0).OwnerObject(), &o);
  EXPECT_EQ(o.GetFullName(), "Counted");
  EXPECT_EQ(o.GetClassName(), "Counting");
  EXPECT_EQ(o.SerialOffset(), static_cast<std::int32_t>(w.Layout().DataOffsets[0]));
  o.ReleaseObject();
  EXPECT_FALSE(o.Buffered());
  EXPECT_EQ(o.Freed, 1);
  EXPECT_EQ(o.Count, -1);
}

TEST_F(ObjectLifeCycle, UseCountKeepsTheDataUntilTheLastRelease) {
  Load();
  TCountingObject& o = Object(counted);
  o.ReadObject(false);
  o.ReadObject(false);
  EXPECT_EQ(o.UseCount(), 2);
  EXPECT_TRUE(o.Buffered());
  EXPECT_FALSE(o.DataRead());
  o.ReleaseObject();
  EXPECT_TRUE(o.Buffered());
  // Reading after buffering needs no second copy from the file: it works
  // even when the file has gone meanwhile.
  std::filesystem::remove(package->FileName());
  o.ReadObject(true);
  EXPECT_EQ(o.Read, 1);
  EXPECT_EQ(o.Count, 3);
  o.ReleaseObject();
  o.ReleaseObject();
  EXPECT_FALSE(o.Buffered());
  EXPECT_EQ(o.UseCount(), 0);
  // Never below zero: a later read counts from zero again.
  o.ReleaseObject();
  EXPECT_EQ(o.UseCount(), 0);
  EXPECT_EQ(o.Freed, 1);
}

TEST_F(ObjectLifeCycle, EmptyDataAreBufferedButNotRead) {
  Load();
  TCountingObject& o = Object(empty);
  o.ReadObject(true);
  EXPECT_TRUE(o.Buffered());
  EXPECT_FALSE(o.DataRead());
  EXPECT_EQ(o.Read, 0);
  EXPECT_EQ(o.GetProperties().Count(), 0);
  o.ReleaseObject();
}

TEST_F(ObjectLifeCycle, AFailedReadKeepsTheUseAndARetryStartsAtTheBeginning) {
  Load();
  TCountingObject& o = Object(truncated);
  try {
    o.ReadObject(true);
    FAIL() << "no error";
  } catch (const EReadingUTProperty& e) {
    EXPECT_STREQ(e.what(), "Exception reading property <unknown>");
  }
  EXPECT_EQ(o.UseCount(), 1);
  EXPECT_TRUE(o.Buffered());
  EXPECT_FALSE(o.DataRead());
  EXPECT_THROW(o.ReadObject(true), EReadingUTProperty);
  // Both attempts read the first tag again instead of going on from the failure.
  EXPECT_EQ(o.GetProperties().GetItem(0).Name(), "USize");
  EXPECT_EQ(o.UseCount(), 2);
  o.ReleaseObject();
  o.ReleaseObject();
  EXPECT_FALSE(o.Buffered());
}

TEST_F(ObjectLifeCycle, UnreadObjectsAndArrayLengths) {
  Load();
  TCountingObject& o = Object(counted);
  try {
    o.GetProperties();
    FAIL() << "no error";
  } catch (const EUTObjectNotRead& e) {
    EXPECT_STREQ(e.what(), "Counted: ReadObject was not called for this object!");
  }
  o.ReadObject(false);
  const auto size = static_cast<std::int64_t>(props.size() + 4);
  EXPECT_EQ(o.CheckArrayLength(size), size);
  EXPECT_THROW(o.CheckArrayLength(size + 1), EUTReadError);
  EXPECT_THROW(o.CheckArrayLength(-1), EUTReadError);
  o.ReleaseObject();
}

TEST(ObjectData, DataOutsideTheFileAreAnErrorNamingTheExport) {
  TempDir dir;
  pw::TPackageWriter w(69);
  pw::TExport e;
  e.ObjectName = "Huge";
  e.Data = "abcd";
  e.SerialSize = 0x7FFFFFF0;
  const int huge = w.Export(e);
  e.ObjectName = "Negative";
  e.SerialSize = 4;
  e.SerialOffset = -8;
  const int negative = w.Export(e);
  TUTPackage p(w.Write(dir.file("Bad.u")));
  for (int ref : {huge, negative}) {
    TUTObject& o = p.GetExport(ref - 1)->GetObject();
    try {
      o.ReadObject(true);
      ADD_FAILURE() << "no error";
    } catch (const EUTReadError& error) {
      EXPECT_NE(std::string(error.what()).find(o.GetObjectName()), std::string::npos) << error.what();
    }
    EXPECT_FALSE(o.Buffered());
    o.ReleaseObject();
    EXPECT_EQ(o.UseCount(), 0);
  }
}

TEST(ObjectData, StateFrameIsSkippedAndClassesReadNoProperties) {
  TempDir dir;
  pw::TPackageWriter w(69);
  const int cls = w.Import("Core", "Class", w.Import("Core", "Package", 0, "Engine"), "Actor");
  const std::string frame = pw::Compact(5) + pw::Compact(7) + pw::Int(0) + pw::Int(0) + pw::Int(0) + pw::Compact(1);
  const int withFrame = w.Export("Running", cls, frame + w.IntTag("Health", 100) + w.NoneTag(), 0, 0, RF_HasStack);
  const std::string noNode = pw::Compact(0) + pw::Compact(7) + pw::Int(0) + pw::Int(0) + pw::Int(0);
  const int shortFrame = w.Export("Idle", cls, noNode + w.IntTag("Health", 5) + w.NoneTag(), 0, 0, RF_HasStack);
  const int classObject = w.Export("MyActor", 0, frame + w.IntTag("Health", 1), 0, 0, RF_HasStack);
  TUTPackage p(w.Write(dir.file("Frames.u")));
  ClearUTObjectClasses();
  for (auto [ref, text] : {std::pair{withFrame, "Health (Int) = 100"}, std::pair{shortFrame, "Health (Int) = 5"}}) {
    TUTObject& o = p.GetExport(ref - 1)->GetObject();
    o.ReadObject(true);
    EXPECT_EQ(o.GetProperties().GetItem(0).GetDescription(), text);
    o.ReleaseObject();
  }
  TUTObject& c = p.GetExport(classObject - 1)->GetObject();
  c.ReadObject(true);
  EXPECT_TRUE(c.DataRead());
  EXPECT_EQ(c.GetProperties().Count(), 0);
  p.ReleaseAllObjects();
  EXPECT_FALSE(c.Buffered());
}

class TOtherObject : public TUTObject {
 public:
  using TUTObject::TUTObject;
};

TEST(ClassRegistry, LookupsIgnoreCaseAndReRegistrationKeepsItsRow) {
  ClearUTObjectClasses();
  EXPECT_EQ(GetUTObjectClass("Texture"), UTObjectClass<TUTObject>());
  EXPECT_EQ(GetUTObjectClass(""), UTObjectClass<TUTObject>());
  RegisterUTObjectClass("Texture", UTObjectClass<TOtherObject>());
  RegisterUTObjectClass("", UTObjectClass<TOtherObject>());
  RegisterUTObjectClass("Font", UTObjectClass<TUTObject>());
  EXPECT_EQ(GetUTObjectClass("tEXTURE"), UTObjectClass<TOtherObject>());
  EXPECT_EQ(GetUTObjectClass(""), UTObjectClass<TOtherObject>());
  EXPECT_EQ(GetUTObjectClass("PlayerController"), UTObjectClass<TUTObject>());
  RegisterUTObjectClass("FONT", UTObjectClass<TOtherObject>());
  ASSERT_EQ(UTObjectClassRegistry().size(), 3u);
  EXPECT_EQ(UTObjectClassRegistry()[2].Name, "font");
  EXPECT_EQ(GetUTObjectClass("font"), UTObjectClass<TOtherObject>());
  ClearUTObjectClasses();
}

TEST(ClassRegistry, ExportObjectsAreMadeFromTheRegisteredClass) {
  TempDir dir;
  pw::TPackageWriter w(69);
  const int tex = w.Export("Skin", w.Import("Core", "Class", w.Import("Core", "Package", 0, "Engine"), "Texture"));
  const int cls = w.Export("MyActor", 0);
  TUTPackage p(w.Write(dir.file("Reg.u")));
  ClearUTObjectClasses();
  RegisterUTObjectClass("texture", UTObjectClass<TOtherObject>());
  EXPECT_NE(dynamic_cast<TOtherObject*>(&p.GetExport(tex - 1)->GetObject()), nullptr);
  EXPECT_EQ(dynamic_cast<TOtherObject*>(&p.GetExport(cls - 1)->GetObject()), nullptr);
  // Created once and kept by the entry.
  EXPECT_EQ(&p.GetExport(tex - 1)->GetObject(), p.GetExport(tex - 1)->ObjectIfCreated());
  ClearUTObjectClasses();
}

}  // namespace
