#include "output/ui/ColourPrinterQuestion.h"
#include "output/ui/DialogOutputPrompts.h"
#include "output/ui/ImageFormatDialog.h"
#include "support/ModalDriver.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace custodex;
using namespace custodex::testing;

namespace {

TSelGraphicFormat* FormatDialog(QWidget* modal)
{
    auto* dialog = qobject_cast<TSelGraphicFormat*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

// Asks for the format through the service while `act` works the dialog.
std::optional<ImageFormat> Choose(OutputPrompts& prompts, QWidget* parent,
                                  const std::function<void(TSelGraphicFormat&)>& act)
{
    auto ran = WhenModal([&](QWidget* modal) {
        if (TSelGraphicFormat* dialog = FormatDialog(modal))
            act(*dialog);
    });
    const std::optional<ImageFormat> chosen = prompts.ChooseImageFormat(parent);
    EXPECT_TRUE(*ran);
    return chosen;
}

TEST(GraphicFormatDialog, WordingAndOkOnlyAfterAChoice)
{
    DialogOutputPrompts prompts;
    const auto chosen = Choose(prompts, nullptr, [](TSelGraphicFormat& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Graphic Format - Jepeg or Bitmap"));
        EXPECT_EQ(dialog.GroupBox1->title(), QStringLiteral("Select graphics format"));
        EXPECT_EQ(dialog.SelJpegFormat->text(),
                  QStringLiteral("Jepeg (.jpg) - Recommended for small file size.  Uses less "
                                 "disk space than bitmap and files"));
        EXPECT_EQ(dialog.JpegNote->text(),
                  QStringLiteral(
                      "are easily e-mailed.  Compatible with most windows graphics programs."));
        EXPECT_EQ(dialog.SelBitmapFormat->text(),
                  QStringLiteral("Bitmap (.bmp) - Recommended for highest possible Image "
                                 "quality and compatibility with nearly"));
        EXPECT_EQ(dialog.BitmapNote->text(), QStringLiteral("all windows graphics programs."));
        EXPECT_FALSE(dialog.SelJpegFormat->isChecked());
        EXPECT_FALSE(dialog.SelBitmapFormat->isChecked());
        EXPECT_FALSE(dialog.OKToGo->isEnabled());
        // Neither a click on the disabled OK nor Enter closes it.
        QTest::mouseClick(dialog.OKToGo, Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.SelBitmapFormat, Qt::LeftButton);
        EXPECT_TRUE(dialog.OKToGo->isEnabled());
        QTest::mouseClick(dialog.OKToGo, Qt::LeftButton);
    });
    EXPECT_EQ(chosen, ImageFormat::Bitmap);
}

TEST(GraphicFormatDialog, KeptWithTheLastChoiceAndOkEnabled)
{
    DialogOutputPrompts prompts;
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    TSelGraphicFormat* first = nullptr;
    EXPECT_EQ(Choose(prompts, &owner,
                     [&](TSelGraphicFormat& dialog) {
                         first = &dialog;
                         QTest::mouseClick(dialog.SelJpegFormat, Qt::LeftButton);
                         QTest::mouseClick(dialog.OKToGo, Qt::LeftButton);
                     }),
              ImageFormat::Jpeg);
    EXPECT_EQ(Choose(prompts, &owner,
                     [&](TSelGraphicFormat& dialog) {
                         EXPECT_EQ(&dialog, first);
                         EXPECT_TRUE(dialog.SelJpegFormat->isChecked());
                         EXPECT_TRUE(dialog.OKToGo->isEnabled());
                         QTest::keyClick(&dialog, Qt::Key_Return); // OK is the default button
                     }),
              ImageFormat::Jpeg);
    EXPECT_EQ(Choose(prompts, &owner,
                     [&](TSelGraphicFormat& dialog) {
                         QTest::mouseClick(dialog.SelBitmapFormat, Qt::LeftButton);
                         EXPECT_FALSE(dialog.SelJpegFormat->isChecked());
                         QTest::mouseClick(dialog.OKToGo, Qt::LeftButton);
                         EXPECT_TRUE(dialog.SaveAsBitmap);
                         EXPECT_FALSE(dialog.SaveAsJpeg);
                     }),
              ImageFormat::Bitmap);
}

// The close box or Escape after a choice was clicked: no format, so the caller cancels its
// output; the clicked choice stays for the next time.
TEST(GraphicFormatDialog, ClosedWithoutOkChoosesNothing)
{
    const std::pair<const char*, std::function<void(TSelGraphicFormat&)>> closes[] = {
        {"close box", [](TSelGraphicFormat& dialog) { dialog.close(); }},
        {"Escape", [](TSelGraphicFormat& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }},
    };
    for (const auto& [name, close] : closes) {
        SCOPED_TRACE(name);
        DialogOutputPrompts prompts;
        EXPECT_EQ(Choose(prompts, nullptr,
                         [&](TSelGraphicFormat& dialog) {
                             QTest::mouseClick(dialog.SelBitmapFormat, Qt::LeftButton);
                             close(dialog);
                             EXPECT_FALSE(dialog.SaveAsBitmap);
                             EXPECT_FALSE(dialog.SaveAsJpeg);
                         }),
                  std::nullopt);
        EXPECT_EQ(Choose(prompts, nullptr,
                         [](TSelGraphicFormat& dialog) {
                             EXPECT_TRUE(dialog.SelBitmapFormat->isChecked());
                             QTest::mouseClick(dialog.OKToGo, Qt::LeftButton);
                         }),
                  ImageFormat::Bitmap);
    }
}

struct ColourAnswerCase {
    const char* Name;
    std::function<void(TQueryColorPrinter&)> Answer;
    bool Expected;
};

TEST(ColourPrinterQuestion, WordingAndAnswers)
{
    const ColourAnswerCase cases[] = {
        {"Yes", [](TQueryColorPrinter& q) { QTest::mouseClick(q.YesBtn, Qt::LeftButton); }, true},
        {"No", [](TQueryColorPrinter& q) { QTest::mouseClick(q.NoBtn, Qt::LeftButton); }, false},
        {"Enter", [](TQueryColorPrinter& q) { QTest::keyClick(&q, Qt::Key_Return); }, true},
        {"Escape", [](TQueryColorPrinter& q) { QTest::keyClick(&q, Qt::Key_Escape); }, false},
    };
    DialogOutputPrompts prompts;
    QWidget owner;
    owner.show();
    for (const ColourAnswerCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto ran = WhenModal([&](QWidget* modal) {
            auto* question = qobject_cast<TQueryColorPrinter*>(modal);
            ASSERT_NE(question, nullptr);
            EXPECT_EQ(question->parentWidget(), &owner);
            EXPECT_EQ(question->windowTitle(), QStringLiteral("Confirm"));
            EXPECT_FALSE(question->windowFlags().testFlag(Qt::WindowCloseButtonHint));
            EXPECT_EQ(question->Label1->text(),
                      QStringLiteral("Is your printer capable of printing colors?"));
            EXPECT_EQ(question->Label2->text(),
                      QStringLiteral("(By answering \"No\" you can print in black"));
            EXPECT_EQ(question->Label3->text(),
                      QStringLiteral("and white even if you have a color printer)"));
            EXPECT_EQ(question->YesBtn->text(), QStringLiteral("&Yes"));
            EXPECT_EQ(question->NoBtn->text(), QStringLiteral("&No"));
            EXPECT_FALSE(question->Picture->pixmap().isNull());
            c.Answer(*question);
            if (question->isVisible()) { // never leave the test waiting on exec()
                ADD_FAILURE() << "the question is still open";
                question->done(QDialog::Accepted);
            }
        });
        EXPECT_EQ(prompts.AskColourPrinter(&owner), c.Expected);
        EXPECT_TRUE(*ran);
        // Made for each question and gone afterwards.
        EXPECT_EQ(owner.findChild<TQueryColorPrinter*>(), nullptr);
    }
}

} // namespace
