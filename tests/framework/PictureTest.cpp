// Pictures read from files, a window's backdrop, and the bundle's resources.

#include <QImage>
#include <QWidget>

#include "Bundle.h"
#include "Picture.h"
#include "TempDir.h"
#include "TestWindow.h"

namespace {

// A picture file of one colour.
std::string WritePicture(const TempDir& dir, const std::string& name, QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  EXPECT_TRUE(image.save(QString::fromStdString((dir / name).string())));
  return (dir / name).string();
}

TEST(Picture, OpensAPictureFileAndNothingElse) {
  TempDir dir;
  const std::string png = WritePicture(dir, "red.png", QSize(50, 40), Qt::red);
  const Ref<Picture> picture = FolderItem(png).OpenAsPicture();
  ASSERT_FALSE(picture.IsNil());
  EXPECT_EQ(picture->Width(), 50);
  EXPECT_EQ(picture->Height(), 40);
  WriteFile(dir / "text.png", "not a picture at all");
  WriteFile(dir / "cut.png", ReadFile(png).substr(0, 20));
  for (const char* name : {"missing.png", "text.png", "cut.png", ""})
    EXPECT_TRUE(FolderItem((dir / name).string()).OpenAsPicture().IsNil()) << name;
}

TEST_F(WindowTest, TheBackdropIsDrawnUnscaledFromTheTopLeftCorner) {
  TempDir dir;
  auto window = New<TestWindow>();
  window->SetProperties(PropertyList().Integer("Width", 120).Integer("Height", 80).Bytes());
  window->SetBackdrop(FolderItem(WritePicture(dir, "red.png", QSize(50, 40), Qt::red)).OpenAsPicture());
  window->Constructor();
  const QImage shown = ContentAreaOf(*window)->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(49, 39), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(50, 10), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(10, 40), QColor(Qt::red));
}

TEST(Bundle, TheResourcesFolderLiesBesideTheExecutablesFolder) {
  // The test program's bundle has translations in Resources (see CMakeLists.txt).
  const Ref<FolderItem> resources = GetApplicationBundleResources();
  ASSERT_FALSE(resources.IsNil());
  EXPECT_EQ(std::filesystem::path(resources->NativePath()),
            std::filesystem::path(ExecutableFolder()).parent_path() / "Resources");
  EXPECT_TRUE(resources->Child("translations")->IsFolder());
}

}  // namespace
