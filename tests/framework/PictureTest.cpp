// Pictures read from files, a window's backdrop, and the bundle's resources.

#include <QImage>
#include <QWidget>

#include "Bundle.h"
#include "Picture.h"
#include "TempDir.h"
#include "TestWindow.h"

namespace {

// A picture file of one colour.
std::filesystem::path WritePicture(const TempDir& dir, const std::string& name, QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  const std::filesystem::path file = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(file.string())));
  return file;
}

QColor PixelOfContent(const Window& window, QPoint at) {
  return ContentAreaOf(window)->grab().toImage().pixelColor(at);
}

TEST(Picture, OpensAPictureFileAndNothingElse) {
  TempDir dir;
  const auto png = WritePicture(dir, "red.png", QSize(50, 40), Qt::red);
  const Ref<Picture> picture = FolderItem(png.string()).OpenAsPicture();
  ASSERT_FALSE(picture.IsNil());
  EXPECT_EQ(picture->Width(), 50);
  EXPECT_EQ(picture->Height(), 40);

  WriteFile(dir / "text.png", "not a picture at all");
  WriteFile(dir / "empty.png", "");
  WriteFile(dir / "cut.png", ReadFile(png).substr(0, 20));
  for (const char* name : {"missing.png", "text.png", "empty.png", "cut.png"})
    EXPECT_TRUE(FolderItem((dir / name).string()).OpenAsPicture().IsNil()) << name;
  EXPECT_TRUE(FolderItem(dir.path().string()).OpenAsPicture().IsNil()) << "a folder";
}

TEST_F(WindowTest, TheBackdropIsDrawnOverTheBackColourFromTheTopLeftCorner) {
  TempDir dir;
  const Ref<Picture> red = FolderItem(WritePicture(dir, "red.png", QSize(50, 40), Qt::red).string()).OpenAsPicture();
  auto window = New<TestWindow>();
  window->SetProperties(PropertyList()
                            .Integer("Width", 120)
                            .Integer("Height", 80)
                            .Boolean("HasBackColor", true)
                            .Colour("BackColor", Color::FromRGB(0x0000FF))
                            .Bytes());
  window->SetBackdrop(red);  // before the window has widgets
  window->Constructor();
  EXPECT_EQ(PixelOfContent(*window, QPoint(0, 0)), QColor(Qt::red));
  EXPECT_EQ(PixelOfContent(*window, QPoint(49, 39)), QColor(Qt::red));
  EXPECT_EQ(PixelOfContent(*window, QPoint(50, 10)), QColor(Qt::blue)) << "drawn unscaled";
  EXPECT_EQ(PixelOfContent(*window, QPoint(10, 40)), QColor(Qt::blue));

  const Ref<Picture> green =
      FolderItem(WritePicture(dir, "green.png", QSize(200, 200), Qt::green).string()).OpenAsPicture();
  window->SetBackdrop(green);
  EXPECT_EQ(PixelOfContent(*window, QPoint(119, 79)), QColor(Qt::green)) << "cut at the window's edges";
  window->SetBackdrop(nullptr);
  EXPECT_EQ(PixelOfContent(*window, QPoint(0, 0)), QColor(Qt::blue));
  EXPECT_TRUE(window->Backdrop().IsNil());
}

TEST(Bundle, TheResourcesFolderLiesBesideTheExecutablesFolder) {
  // The test program's bundle has translations in Resources (see CMakeLists.txt).
  const Ref<FolderItem> resources = GetApplicationBundleResources();
  ASSERT_FALSE(resources.IsNil());
  EXPECT_EQ(resources->NativePath(), ResourcesFolder());
  EXPECT_EQ(std::filesystem::path(ResourcesFolder()).parent_path(),
            std::filesystem::path(ExecutableFolder()).parent_path());
  EXPECT_TRUE(resources->Child("translations")->IsFolder());
}

}  // namespace
