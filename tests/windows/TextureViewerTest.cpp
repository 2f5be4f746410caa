// The texture viewer on real packages and on broken ones: listing, reading
// properties, drawing a mip map, searching and extracting text buffers,
// and a load that fails after a good one.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "PackageWindowSupport.h"
#include "WindowChecks.h"
#include "packages/PuUtBitmap.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtPropertyType.h"
#include "packages/PuUtTextBuffer.h"
#include "windows/PfTextureViewer.h"
#include "windows/TextureImage.h"

using namespace testing_support;
using windows::TFmTextureViewer;
using windows::TModalResult;

namespace {

class TextureViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    RegisterReaderClasses();
    Viewer = std::make_unique<TFmTextureViewer>(Dialogs);
  }

  // The user opens a file through the dialog.
  bool Open(const std::string& path) {
    Dialogs.Files.push_back(path);
    Viewer->btn_open->click();
    return Viewer->StaticText1->text().toStdString() == path;
  }

  int Row(const std::string& name) const {
    for (int i = 0; i < Viewer->object_list->topLevelItemCount(); ++i)
      if (Viewer->object_list->topLevelItem(i)->text(0).toStdString() == name) return i;
    return -1;
  }

  void Select(int row) { Viewer->object_list->setCurrentItem(Viewer->object_list->topLevelItem(row)); }

  std::vector<std::string> Properties() const {
    std::vector<std::string> rows;
    for (int i = 0; i < Viewer->properties->topLevelItemCount(); ++i)
      rows.push_back(Viewer->properties->topLevelItem(i)->text(0).toStdString());
    return rows;
  }

  TempDir Dir;
  TFakeDialogs Dialogs;
  std::unique_ptr<TFmTextureViewer> Viewer;
};

TEST_F(TextureViewerTest, PaletteTextureListsPropertiesAndShowsItsFirstMip) {
  REQUIRE_REALDATA("pkg/ut99/Faces.utx");
  Viewer->SetInitialDir("/game/System");
  ASSERT_TRUE(Open(RealDataPath("pkg/ut99/Faces.utx")));
  EXPECT_EQ(Dialogs.Asked[0].Extra, "/game/System");
  ASSERT_EQ(Viewer->object_list->topLevelItemCount(), 36);

  int texture = -1;
  for (int i = 0; i < 36 && texture < 0; ++i)
    if (Viewer->object_list->topLevelItem(i)->text(1) == "Texture") texture = i;
  ASSERT_GE(texture, 0);
  Select(texture);
  EXPECT_TRUE(Viewer->btn_extract->isEnabled());
  const std::vector<std::string> props = Properties();
  EXPECT_NE(std::find(props.begin(), props.end(), "USize (Int) = 64"), props.end()) << ::testing::PrintToString(props);

  Viewer->buShowTexture->click();
  EXPECT_EQ(Viewer->Image1->Image().size(), QSize(64, 64));
  EXPECT_TRUE(Viewer->Image1->Message().isEmpty());
  ExpectNothingClipped(*Viewer, "viewer-palette");

  // Extract on a texture writes nothing and asks nothing.
  const std::size_t asked = Dialogs.Asked.size();
  Viewer->btn_extract->click();
  EXPECT_EQ(Dialogs.Asked.size(), asked);

  // A palette is no texture: no image, a line saying so, extract disabled.
  const QList<QTreeWidgetItem*> palettes = Viewer->object_list->findItems("Palette", Qt::MatchExactly, 1);
  ASSERT_FALSE(palettes.isEmpty());
  Viewer->object_list->setCurrentItem(palettes.first());
  EXPECT_FALSE(Viewer->btn_extract->isEnabled());
  Viewer->buShowTexture->click();
  EXPECT_TRUE(Viewer->Image1->Image().isNull());
  EXPECT_EQ(Viewer->Image1->Message(), "Not a texture.");
}

TEST_F(TextureViewerTest, SearchFindsATextureByNameAndItsCompressedMipShows) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  ASSERT_TRUE(Open(RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx")));
  Viewer->Edit1->setText("bp2_walls_cement01");
  Viewer->buSearch->click();
  ASSERT_NE(Viewer->object_list->currentItem(), nullptr);
  EXPECT_EQ(Viewer->object_list->currentItem()->text(0), "BP2_Walls_Cement01");
  EXPECT_TRUE(Viewer->object_list->currentItem()->isSelected());
  EXPECT_FALSE(Properties().empty());
  Viewer->buShowTexture->click();
  const QImage& image = Viewer->Image1->Image();
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 64);
  // Decoded colours, not the zeroed pixels of an undecoded mip.
  EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF, 0u);
  ExpectNothingClipped(*Viewer, "viewer-dxt");

  // A name that names nothing changes nothing.
  Viewer->Edit1->setText("NoSuchTexture");
  Viewer->buSearch->click();
  EXPECT_EQ(Viewer->object_list->currentItem()->text(0), "BP2_Walls_Cement01");
}

TEST_F(TextureViewerTest, TextBuffersExtractToFilesOfTheirOwnByteForByte) {
  REQUIRE_REALDATA("pkg/ut99/Core.u");
  const std::string core = RealDataPath("pkg/ut99/Core.u");
  ASSERT_TRUE(Open(core));
  packages::TUTPackage reference(core);

  std::vector<int> buffers;
  for (int i = 0; i < Viewer->object_list->topLevelItemCount(); ++i)
    if (Viewer->object_list->topLevelItem(i)->text(1) == "TextBuffer") buffers.push_back(i);
  ASSERT_EQ(buffers.size(), 7u);

  std::vector<std::string> written;
  for (int row : {buffers[0], buffers[1]}) {
    Select(row);
    ASSERT_TRUE(Viewer->btn_extract->isEnabled());
    const std::size_t asked = Dialogs.Asked.size();
    written.push_back(Dir.file("out" + std::to_string(row) + ".txt"));
    Dialogs.Files.push_back(written.back());
    Viewer->btn_extract->click();
    ASSERT_EQ(Dialogs.Asked.size(), asked + 1);
    EXPECT_EQ(Dialogs.Asked[asked].Kind, "save");
    // The proposal carries the group: every buffer is named "ScriptText".
    auto& entry = *reference.GetExport(row);
    EXPECT_EQ(Dialogs.Asked[asked].Text, entry.GetPackagePath() + ".ScriptText.txt");

    auto& text = dynamic_cast<packages::TUTObjectClassTextBuffer&>(entry.GetObject());
    text.ReadObject(true);
    EXPECT_FALSE(text.Text.empty());
    EXPECT_EQ(ReadBytes(written.back()), text.Text);
    text.ReleaseObject();
  }
  EXPECT_NE(ReadBytes(written[0]), ReadBytes(written[1]));

  // An existing file is replaced only when the user says so.
  Dir.write("keep.txt", "mine");
  Dialogs.Files.push_back(Dir.file("keep.txt"));
  Dialogs.Answers.push_back(TModalResult::mrNo);
  Viewer->btn_extract->click();
  EXPECT_EQ(ReadBytes(Dir.file("keep.txt")), "mine");
  EXPECT_EQ(Dialogs.Asked.back().Kind, "message");

  // No row selected: nothing is written, nothing asked.
  Viewer->object_list->clearSelection();
  const std::size_t asked = Dialogs.Asked.size();
  Viewer->btn_extract->click();
  EXPECT_EQ(Dialogs.Asked.size(), asked);
  EXPECT_EQ(Viewer->CurrentObject(), nullptr);
}

TEST_F(TextureViewerTest, PropertyThatCannotBeShownGetsItsErrorInItsOwnRow) {
  package_writer::TPackageWriter w(69);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const int thing = w.Import("Core", "Class", engine, "Thing");
  w.Export("Broken", thing,
           w.IntTag("Before", 1) + w.Tag("BadName", packages::ptName, package_writer::Compact(5000)) +
               w.IntTag("After", 2) + w.ObjectTag("BadRef", 5000) + w.NoneTag());
  const int cut = w.Export("Cut", thing, w.IntTag("Lost", 1) + w.NoneTag());
  w.ExportAt(cut).SerialSize = 1 << 20;  // claims data far beyond the file's end
  ASSERT_TRUE(Open(w.Write(Dir.file("Broken.u"))));
  Select(0);
  const std::vector<std::string> props = Properties();
  // The end tag is listed as the reader gives it.
  ASSERT_EQ(props.size(), 5u) << ::testing::PrintToString(props);
  EXPECT_EQ(props[0], "Before (Int) = 1");
  EXPECT_EQ(props[1].rfind("BadName: ", 0), 0u) << props[1];
  EXPECT_EQ(props[2], "After (Int) = 2");
  EXPECT_EQ(props[3].rfind("BadRef: Object reference 5000 outside the tables", 0), 0u) << props[3];
  EXPECT_EQ(props[4], "None");

  // An object that cannot be read at all: its error alone, nothing left of
  // the object shown before.
  Select(1);
  ASSERT_EQ(Properties().size(), 1u) << ::testing::PrintToString(Properties());
  EXPECT_NE(Properties()[0].find("Cut"), std::string::npos) << Properties()[0];
  Select(0);
  EXPECT_EQ(Properties().size(), 5u);
}

// A dynamic array is shown element by element when its declaration is in
// the package, and as its own error row when it is in a package that is
// not there (XInterface.u), with the rows around it shown as ever.
TEST_F(TextureViewerTest, DynamicArraysShowTheirElementsOrWhyNot) {
  REQUIRE_REALDATA("pkg/ut2004/xVoting.u");
  ASSERT_TRUE(Open(RealDataPath("pkg/ut2004/xVoting.u")));
  const auto rowOf = [&](const std::string& prefix) {
    for (const std::string& row : Properties())
      if (row.rfind(prefix, 0) == 0) return row;
    return std::string();
  };
  Select(Row("MatchConfigPage"));
  // var() config array<string> PanelClass, PanelHint; in MatchConfigPage itself.
  EXPECT_EQ(rowOf("PanelClass"),
            "PanelClass (Array of Str) = ([0]=\"xVoting.MatchSetupLoginPanel\", [1]=\"xVoting.MatchSetupMain\", "
            "[2]=\"xVoting.MatchSetupMaps\", [3]=\"xVoting.MatchSetupMutator\", [4]=\"xVoting.MatchSetupRules\")");
  Select(Row("KickVoteMultiColumnList"));
  EXPECT_EQ(rowOf("ColumnHeadings").rfind("ColumnHeadings: The 4 elements of array ColumnHeadings cannot be read: ", 0),
            0u)
      << rowOf("ColumnHeadings");
  EXPECT_EQ(Properties().back(), "None");
}

TEST_F(TextureViewerTest, MaskedPaletteTextureShowsEntryZeroSeeThrough) {
  REQUIRE_REALDATA("pkg/ut2004_mod/SmileSkins.utx");
  ASSERT_TRUE(Open(RealDataPath("pkg/ut2004_mod/SmileSkins.utx")));
  Select(Row("17_TONGUE2"));
  Viewer->buShowTexture->click();
  const QImage& image = Viewer->Image1->Image();
  ASSERT_EQ(image.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(8, 8)), 255);
}

// Pixel bytes reach the image in the right channels at every depth.
TEST(TextureImage, BitmapChannelsAndPaletteReachTheImage) {
  packages::TUTBitmap rgba(2, 1, 32);
  const std::uint8_t bgra[] = {10, 20, 30, 40, 1, 2, 3, 255};
  std::copy(std::begin(bgra), std::end(bgra), rgba.Pixels().begin());
  QImage image = windows::BitmapToImage(rgba);
  EXPECT_EQ(image.pixel(0, 0), qRgba(30, 20, 10, 40));
  EXPECT_EQ(image.pixel(1, 0), qRgba(3, 2, 1, 255));

  packages::TUTBitmap rgb(1, 1, 24);
  rgb.Pixels()[0] = 7, rgb.Pixels()[1] = 8, rgb.Pixels()[2] = 9;
  EXPECT_EQ(windows::BitmapToImage(rgb).pixel(0, 0), qRgb(9, 8, 7));

  packages::TUTBitmap indexed(2, 1, 8);
  indexed.Pixels()[0] = 0, indexed.Pixels()[1] = 200;
  EXPECT_EQ(windows::BitmapToImage(indexed).pixel(1, 0), qRgb(200, 200, 200));  // no palette: grey
  auto palette = std::make_unique<packages::TUTPalette>();
  palette->Entries[0] = {1, 2, 3};
  palette->Entries[200] = {50, 60, 70};
  indexed.SetPalette(std::move(palette));
  EXPECT_EQ(windows::BitmapToImage(indexed).pixel(1, 0), qRgb(50, 60, 70));
  EXPECT_EQ(windows::BitmapToImage(indexed).pixel(0, 0), qRgb(1, 2, 3));
  EXPECT_EQ(qAlpha(windows::BitmapToImage(indexed, true).pixel(0, 0)), 0);
}

TEST_F(TextureViewerTest, TextureWithoutPixelDataSaysSoInPlaceOfABlackSquare) {
  ASSERT_TRUE(Open(StrippedTexturePackage(Dir, "Stripped.utx")));
  Select(Row("Skin"));
  Viewer->buShowTexture->click();
  EXPECT_TRUE(Viewer->Image1->Image().isNull());
  EXPECT_EQ(Viewer->Image1->Message(), "This texture has no pixel data.");
}

TEST_F(TextureViewerTest, FailedLoadAfterAGoodOneKeepsTheRowsAndHoldsNoObject) {
  REQUIRE_REALDATA("pkg/ut2004_mod/SmileSkins.utx");
  REQUIRE_REALDATA("pkg/ut2004/TeamSymbols.utx");
  const std::string good = RealDataPath("pkg/ut2004_mod/SmileSkins.utx");
  ASSERT_TRUE(Open(good));
  const int rows = Viewer->object_list->topLevelItemCount();
  Select(1);
  ASSERT_NE(Viewer->CurrentObject(), nullptr);
  ASSERT_FALSE(Properties().empty());

  const std::string cut = TruncatedCopy(Dir, "pkg/ut2004_mod/SmileSkins.utx", "Cut.utx", 2000);
  EXPECT_FALSE(Open(cut));
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Viewer->StaticText1->text().toStdString(), good);
  EXPECT_EQ(Viewer->object_list->topLevelItemCount(), rows);
  EXPECT_EQ(Viewer->CurrentObject(), nullptr);
  EXPECT_TRUE(Properties().empty());
  EXPECT_EQ(Viewer->Package()->FileName(), good);

  // A package flagged as holding no tables worth reading, whose tables
  // cannot be read, is no empty package either.
  const std::string flagged = TruncatedCopy(Dir, "pkg/ut2004/TeamSymbols.utx", "Flagged.utx", 5000);
  EXPECT_FALSE(Open(flagged));
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].rfind(flagged + ": its tables could not be read: Seek to ", 0), 0u)
      << Dialogs.Messages()[1];
  EXPECT_EQ(Viewer->object_list->topLevelItemCount(), rows);
  EXPECT_EQ(Viewer->Package()->FileName(), good);

  // The package still shown still reads.
  Select(2);
  EXPECT_FALSE(Properties().empty());
  Viewer.reset();  // releases the object read last, before the package goes
}


// Extract's proposal is formed from names out of the file. "Notes" lies in
// the group "Grp", whose name the header's name count leaves out of the
// table: the package lists and the buffer reads, only its group cannot be
// named. "../../Readme" would lead the dialog out of its folder.
TEST_F(TextureViewerTest, ExtractProposesOneFileNameWhateverTheNamesInThePackage) {
  namespace pw = package_writer;
  pw::TPackageWriter w(69);
  const int core = w.Import("Core", "Package", 0, "Core");
  const int textBuffer = w.Import("Core", "Class", core, "TextBuffer");
  const std::string data = w.NoneTag() + pw::Int(0) + pw::Int(0) + pw::SizedString("hello");
  w.Export("../../Readme", textBuffer, data);
  w.Export("Notes", textBuffer, data, 3);
  w.Export("Grp", 0);
  w.Override.NameCount = w.Name("Grp");
  ASSERT_TRUE(Open(w.Write(Dir.file("Hostile.u"))));

  Select(Row("Notes"));
  ASSERT_TRUE(Viewer->btn_extract->isEnabled());
  Dialogs.Files.push_back(Dir.file("Notes.txt"));
  Viewer->btn_extract->click();
  EXPECT_EQ(Dialogs.Asked.back().Text, "Notes.txt");
  EXPECT_EQ(ReadBytes(Dir.file("Notes.txt")), "hello");

  Select(Row("../../Readme"));
  Dialogs.Files.push_back(std::nullopt);
  Viewer->btn_extract->click();
  EXPECT_EQ(Dialogs.Asked.back().Kind, "save");
  EXPECT_EQ(Dialogs.Asked.back().Text, ".._.._Readme.txt");
}


// Textures of odd shapes, in the old layout (no mip end offsets), 8-bit
// pixels without a palette: one texel; eight by two; a first mip whose
// data were stripped ahead of a 2 by 2 one that kept them.
std::string OddTexturePackage(const TempDir& dir) {
  namespace pw = package_writer;
  pw::TPackageWriter w(62);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const int texture = w.Import("Core", "Class", engine, "Texture");
  const auto mip = [](const std::string& pixels, int width, int height) {
    return pw::Compact(static_cast<std::int32_t>(pixels.size())) + pixels + pw::Int(width) + pw::Int(height) +
           pw::Byte(0) + pw::Byte(0);
  };
  w.Export("One", texture, w.NoneTag() + pw::Byte(1) + mip("\x80", 1, 1));
  w.Export("Wide", texture, w.NoneTag() + pw::Byte(1) + mip(std::string(16, '\x40'), 8, 2));
  w.Export("Gap", texture, w.NoneTag() + pw::Byte(2) + mip("", 4, 4) + mip("\x10\x20\x30\x40", 2, 2));
  w.Export("Ribbon", texture, w.NoneTag() + pw::Byte(1) + mip(std::string(1024, '\x7f'), 1024, 1));
  return w.Write(dir.file("Odd.utx"));
}

TEST_F(TextureViewerTest, OddSizedTexturesShowWholeAndFitTheImage) {
  ASSERT_TRUE(Open(OddTexturePackage(Dir)));
  Viewer->show();
  const QRect room = Viewer->Image1->rect();
  struct TCase {
    const char* Name;
    QSize Size;
  };
  for (const TCase& c : {TCase{"One", {1, 1}}, TCase{"Wide", {8, 2}}, TCase{"Gap", {2, 2}}, TCase{"Ribbon", {1024, 1}}}) {
    SCOPED_TRACE(c.Name);
    Select(Row(c.Name));
    Viewer->buShowTexture->click();
    ASSERT_EQ(Viewer->Image1->Image().size(), c.Size) << Viewer->Image1->Message().toStdString();
    const QRect shown = Viewer->Image1->ImageRect();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(room.contains(shown));
    // The aspect is kept to within a pixel of the widget's room.
    EXPECT_LE(std::abs(shown.width() * c.Size.height() - shown.height() * c.Size.width()), c.Size.width());
  }
  EXPECT_EQ(Viewer->Image1->Image().pixel(0, 0), qRgb(127, 127, 127));
}


// What "Show texture" says in place of an image: a scripted texture (drawn
// by the game) has no pixels in the file; a texture whose mips cannot be
// read is not one without pixels; anything else is no texture.
TEST_F(TextureViewerTest, ShowTextureSaysWhyThereIsNoImage) {
  namespace pw = package_writer;
  pw::TPackageWriter w(62);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const auto engineClass = [&](const char* name) { return w.Import("Core", "Class", engine, name); };
  w.Export("Screen", engineClass("ScriptedTexture"), w.IntTag("USize", 256) + w.NoneTag());
  w.Export("Broken", engineClass("Texture"), w.NoneTag() + pw::Byte(1) + pw::Compact(4) + "\x01\x02\x03\x04" + pw::Int(64) +
                                  pw::Int(64) + pw::Byte(6) + pw::Byte(6));
  w.Export("Colours", engineClass("Palette"), w.NoneTag());
  ASSERT_TRUE(Open(w.Write(Dir.file("Messages.utx"))));
  const std::pair<const char*, const char*> cases[] = {{"Screen", "This texture has no pixel data."},
                                                       {"Broken", "This texture could not be read."},
                                                       {"Colours", "Not a texture."}};
  for (const auto& [name, message] : cases) {
    SCOPED_TRACE(name);
    Select(Row(name));
    Viewer->buShowTexture->click();
    EXPECT_TRUE(Viewer->Image1->Image().isNull());
    EXPECT_EQ(Viewer->Image1->Message().toStdString(), message);
  }
}

}  // namespace
