// The application's start: a scale factor for Qt that cannot scale the window is set aside.
#include <gtest/gtest.h>

#include <QString>
#include <optional>

#include "qt/application.h"

namespace quillon::testing {
namespace {

TEST(ScaleFactorTest, AScaleFactorFrom0Point1To10IsTaken) {
  for (const char* factor : {"1", "2", "0.1", "1.5", "10"}) {
    EXPECT_EQ(qt::ScaleFactorRefusal(QString::fromLatin1(factor)), std::nullopt) << factor;
  }
}

// Qt would scale by any number it reads: a negative one, zero or "nan" give the display no size
// a window can have, a tiny one a size beyond what a window's place can be given in.
TEST(ScaleFactorTest, AnyOtherValueIsSetAsideWithOneLine) {
  EXPECT_EQ(qt::ScaleFactorRefusal(QStringLiteral("-1")),
            QStringLiteral(
                "QT_SCALE_FACTOR=-1 is no scale factor from 0.1 to 10; the window opens unscaled"));
  for (const char* factor : {"0", "nan", "inf", "-inf", "1e-9", "0.09", "10.5", "", "big"}) {
    EXPECT_EQ(qt::ScaleFactorRefusal(QString::fromLatin1(factor)),
              QStringLiteral("QT_SCALE_FACTOR=") + QString::fromLatin1(factor) +
                  QStringLiteral(" is no scale factor from 0.1 to 10; the window opens unscaled"))
        << factor;
  }
}

}  // namespace
}  // namespace quillon::testing
