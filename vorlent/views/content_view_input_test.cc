#include "vorlent/views/content_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyleHints>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/mouse_input_testing.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ScriptedContentController;
using testing::SyntheticMouse;

int dragDistance() { return QGuiApplication::styleHints()->startDragDistance(); }

// A shown view over a scripted controller of a large diagram, scrolled to
// (100, 50), and a mouse on its canvas.
class ContentInput : public testing::ContentViewTest {
 protected:
  ContentInput() {
    controller->setDesiredScrollableRowCount(1000);
    controller->setScrollableTimeline(TimeRange(Time(), Time().addingHours(10000)));
    view->setController(controller);
    view->scrollView()->scrollToPoint(QPointF(100, 50));
    view->scrollTo(100, 100);  // lets the controller know
    controller->take();
  }

  ~ContentInput() override { QToolTip::setFont(defaultToolTipFont); }

  // Makes tool tips use a font six pixels high, whatever its family, for
  // the rest of the test: then a line of 160 characters of any ordinary
  // font fits the test's 800-pixel screen.
  void useSmallToolTipFont() {
    QFont small = defaultToolTipFont;
    small.setPixelSize(6);
    QToolTip::setFont(small);
  }

  // A document point and where the canvas shows it.
  [[nodiscard]] QPointF at(double x, double y) const { return canvasPoint(QPointF(x, y)); }

  // The tool tip shown as Qt shows one on hover at a document point: the
  // size of its window (empty when none shows).
  QSize shownToolTipSize(QPointF documentPoint) {
    const QPoint local = at(documentPoint.x(), documentPoint.y()).toPoint();
    QHelpEvent hover(QEvent::ToolTip, local, view->canvas()->mapToGlobal(local));
    QCoreApplication::sendEvent(view->canvas(), &hover);
    QSize size;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() && window->inherits("QLabel")) size = window->size();
    }
    QToolTip::hideText();
    return size;
  }

  void sendContextMenu(QPointF documentPoint) {
    const QPoint local = at(documentPoint.x(), documentPoint.y()).toPoint();
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, view->canvas()->mapToGlobal(local));
    QCoreApplication::sendEvent(view->canvas(), &event);
  }

  const QFont defaultToolTipFont = QToolTip::font();
  std::shared_ptr<ScriptedContentController> controller = ScriptedContentController::create();
  SyntheticMouse mouse{view->canvas()};
  GanttChartItemPtr item = GanttChartItem::create({.label = "task", .details = "Task details"});
  GanttChartItemPtr milestone =
      GanttChartItem::create({.label = "gate", .type = GanttChartItemType::milestone});
  GanttChartDependencyPtr dependency =
      GanttChartDependency::create({.label = "link", .from = item, .to = milestone});
};

// --- Clicks and drags ------------------------------------------------------------------------

TEST_F(ContentInput, AClickSelectsAndActivatesAtItsDocumentPoint) {
  mouse.click(at(120, 70));
  EXPECT_THAT(controller->take(), ElementsAre("select(120, 70)", "activate(120, 70)"));
}

TEST_F(ContentInput, AnActivatingClickCountsTheClicksTheSettingsRequire) {
  GanttChartContentSettings settings = controller->settings();
  settings.numberOfClicksRequiredToActivateElements = 2;
  controller->setSettings(settings);
  view->setController(controller);
  controller->take();
  mouse.click(at(120, 70));
  EXPECT_THAT(controller->take(), ElementsAre("select(120, 70)"));
  mouse.doubleClickPress(at(120, 70));
  mouse.release(at(120, 70));
  EXPECT_THAT(controller->take(), ElementsAre("select(120, 70)", "activate(120, 70)"));
}

TEST_F(ContentInput, ADragBeginsWhereTheButtonWentDownAndFollowsAtOnce) {
  mouse.press(at(120, 70));
  mouse.moveTo(at(120 + dragDistance(), 70));
  const std::string recognised =
      "continueDragging(" + std::to_string(120 + dragDistance()) + ", 70)";
  EXPECT_THAT(controller->take(),
              ElementsAre("beginDragging(120, 70) acceptScrolling", "select(120, 70)", recognised));
  mouse.moveTo(at(160, 90));
  mouse.release(at(170, 95));
  EXPECT_THAT(controller->take(), ElementsAre("continueDragging(160, 90)", "endDragging"));
}

TEST_F(ContentInput, EscapeCancelsADragWithoutCompletingIt) {
  mouse.press(at(120, 70));
  mouse.moveTo(at(160, 70));
  controller->take();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(view->canvas(), &escape);
  mouse.release(at(160, 70));
  EXPECT_THAT(controller->take(), ElementsAre("cancelDragging"));
}

// --- Pointer, cursor and tool tip -----------------------------------------------------------

TEST_F(ContentInput, AMovingPointerFocusesOffersTheThumbAndSetsCursorAndToolTip) {
  controller->cursorAnswer = Cursor::resizeHorizontally;
  controller->toolTipAnswer = "Task details";
  mouse.moveTo(at(130, 60));
  EXPECT_THAT(controller->take(),
              ElementsAre("focusElement(130, 60)", "showDependencyLineThumb(130, 60)"));
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::SizeHorCursor);
  EXPECT_EQ(view->canvas()->toolTip(), "Task details");
  EXPECT_EQ(view->mouseLocationInView(), (Point{30, 10})) << "relative to the viewport";

  controller->cursorAnswer.reset();
  controller->toolTipAnswer.reset();
  mouse.moveTo(at(131, 60));
  EXPECT_FALSE(view->canvas()->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(view->canvas()->toolTip(), QString());
}

TEST_F(ContentInput, TheDraggingCursorWinsOverWhatThePointerPasses) {
  controller->cursorAnswer = Cursor::draw;
  controller->draggingCursorAnswer = Cursor::moveHorizontally;
  mouse.press(at(120, 70));
  mouse.moveTo(at(160, 70));
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::OpenHandCursor);
  controller->draggingCursorAnswer.reset();
  mouse.release(at(160, 70));
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ContentInput, ARestingPointerIsReEvaluatedWhereItNowIsAfterAScroll) {
  mouse.moveTo(at(130, 60));
  controller->cursorAnswer = Cursor::moveVertically;
  controller->toolTipAnswer = "below";
  view->scrollTo(1000, 1100);  // the new viewport brings new bars under the pointer
  EXPECT_EQ(view->canvas()->cursor().shape(), Qt::ClosedHandCursor);
  EXPECT_EQ(view->canvas()->toolTip(), "below");
  EXPECT_EQ(view->mouseLocationInView(), (Point{30, 10}));
}

TEST_F(ContentInput, AStepOfTheViewsOwnDragLooksAtThePointerOnceWhateverItChanges) {
  mouse.press(at(120, 70));
  mouse.moveTo(at(160, 70));
  controller->take();
  // Each widening announces new visible bars and lines, as a drag that
  // moves bars does, four announcements in all.
  const auto widen = [this] {
    controller->setViewportExtensionWidth(controller->viewportExtensionWidth() + 10);
    controller->setViewportExtensionWidth(controller->viewportExtensionWidth() + 10);
  };
  controller->onRequest = [&](const std::string& entry) {
    if (entry.rfind("continueDragging", 0) != 0) return;
    controller->toolTipAnswer = "moved";
    widen();
  };
  controller->toolTipQuestions = 0;
  mouse.moveTo(at(170, 70));
  EXPECT_EQ(controller->toolTipQuestions, 1);
  EXPECT_EQ(view->canvas()->toolTip(), "moved") << "asked after the controller answered";
  controller->onRequest = nullptr;

  // Changes a host makes are answered as each is announced.
  controller->toolTipAnswer = "host";
  controller->toolTipQuestions = 0;
  widen();
  EXPECT_GE(controller->toolTipQuestions, 4);
  EXPECT_EQ(view->canvas()->toolTip(), "host");
  mouse.release(at(170, 70));
}

TEST_F(ContentInput, EnteringAndLeavingDropTheFocusAndLeavingForgetsThePointer) {
  mouse.moveTo(at(130, 60));
  controller->take();
  QEnterEvent enter(at(130, 60), at(130, 60), view->canvas()->mapToGlobal(at(130, 60)));
  QCoreApplication::sendEvent(view->canvas(), &enter);
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus"));

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(view->canvas(), &leave);
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus"));
  EXPECT_EQ(view->mouseLocationInView(), std::nullopt);
  controller->cursorAnswer = Cursor::draw;
  controller->setViewport(Rectangle(0, 0, 10, 10));
  EXPECT_FALSE(view->canvas()->testAttribute(Qt::WA_SetCursor))
      << "a pointer outside is not followed";
}

TEST_F(ContentInput, AHugeToolTipIsShortenedAndWrappedBeforeItIsShown) {
  // A megabyte of notes, one unbroken paragraph, then a word too long for
  // any line.
  std::string notes;
  while (notes.size() < 1'000'000) notes += "lorem ipsum dolor sit amet ";
  controller->toolTipAnswer = std::string(300, 'x') + notes;
  mouse.moveTo(at(130, 60));
  const QString tip = view->canvas()->toolTip();
  EXPECT_LE(tip.size(), 600);
  EXPECT_TRUE(tip.endsWith(QChar(0x2026)));
  for (const QString& line : tip.split('\n')) EXPECT_LE(line.size(), 160);
  // Shown as Qt shows a tip on hover: a window of sane size.
  const QSize shown = shownToolTipSize(QPointF(130, 60));
  EXPECT_LE(shown.width(), 2000);
  EXPECT_LE(shown.height(), 1000);

  controller->toolTipAnswer = "short\nand sweet";
  mouse.moveTo(at(131, 60));
  EXPECT_EQ(view->canvas()->toolTip(), "short\nand sweet") << "a short tip is shown as given";
}

TEST_F(ContentInput, AToolTipWithinTheLimitsShowsTheHostsTextAsWritten) {
  const std::string words = "words and more words up to the end of the line ";  // 47
  const std::string longLine = (words + words + words).substr(0, 110);
  std::string twelveLines = "  first";
  for (int line = 2; line <= 12; ++line) twelveLines += "\n  - line";
  std::string fiveHundred;
  for (int line = 0; line < 5; ++line) fiveHundred += (words + words + words).substr(0, 99) + "\n";
  fiveHundred.back() = '!';
  ASSERT_EQ(fiveHundred.size(), 500u);
  useSmallToolTipFont();
  double x = 130;
  for (const std::string& text : {std::string("Owner: Ann\n  - design review\n  - sign-off"),
                                  longLine, twelveLines, fiveHundred, std::string(160, 'i')}) {
    controller->toolTipAnswer = text;
    mouse.moveTo(at(++x, 60));
    EXPECT_EQ(view->canvas()->toolTip().toStdString(), text);
  }

  // Longer lines wrap where words end (at 160 characters, as in the
  // small font they fit the screen); over the limits the text is cut.
  std::string paragraph;
  while (paragraph.size() < 400) paragraph += "fill it till it is ill ";
  paragraph.pop_back();
  controller->toolTipAnswer = "  " + paragraph;
  mouse.moveTo(at(++x, 60));
  const QStringList wrapped = view->canvas()->toolTip().split('\n');
  EXPECT_EQ(wrapped.size(), 3);
  for (const QString& line : wrapped) EXPECT_LE(line.size(), 160);
  EXPECT_EQ(wrapped.join(' ').toStdString(), "  " + paragraph) << "no word is broken";
  controller->toolTipAnswer = twelveLines + "\nthirteen";
  mouse.moveTo(at(++x, 60));
  EXPECT_EQ(view->canvas()->toolTip().toStdString(), twelveLines + "\u2026");
  controller->toolTipAnswer = fiveHundred + "?";
  mouse.moveTo(at(++x, 60));
  EXPECT_TRUE(view->canvas()->toolTip().endsWith(QChar(0x2026)));
  EXPECT_LE(view->canvas()->toolTip().size(), 501);

  // A text that looks like markup is still shown as written.
  const std::string markup = "<b>Review</b> the <draft>\n  & sign off";
  controller->toolTipAnswer = markup;
  mouse.moveTo(at(++x, 60));
  QTextDocument shown;
  shown.setHtml(view->canvas()->toolTip());
  EXPECT_EQ(shown.toPlainText().toStdString(), markup);
}

TEST_F(ContentInput, AnyTextWithinTheLimitsIsShownAsWritten) {
  // Random texts of a dozen lines at most and 400 bytes, each line short
  // enough not to be wrapped, some of them looking like markup, some ending
  // lines at U+2028.
  useSmallToolTipFont();
  std::mt19937 random(7);
  const auto below = [&random](int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random);
  };
  const std::vector<std::string> words = {"plan",          "review",    "<draft>", "a&b",
                                          "x < y",         "\t",        "  ",      "sign-off",
                                          "\u00e9t\u00e9", "\U0001F600"};
  double x = 130;
  for (int round = 0; round < 200; ++round) {
    std::string text = below(4) == 0 ? "<b>" : "";
    const int lines = 1 + below(12);
    for (int line = 0; line < lines; ++line) {
      if (line > 0) text += below(3) == 0 ? "\u2028" : "\n";
      for (int word = below(8); word > 0 && text.size() < 400; --word) {
        text += words[size_t(below(int(words.size())))] + " ";
      }
    }
    controller->toolTipAnswer = text;
    mouse.moveTo(at(++x, 60));
    const QString tip = view->canvas()->toolTip();
    const QString written = QString::fromStdString(text);
    if (Qt::mightBeRichText(tip)) {
      QTextDocument shown;
      shown.setHtml(tip);
      EXPECT_EQ(shown.toPlainText(), QString(written).replace(QChar::LineSeparator, u'\n')) << text;
    } else {
      EXPECT_EQ(tip, written) << text;
    }
  }
}

TEST_F(ContentInput, AToolTipCutOrWrappedKeepsEveryCharacterWhole) {
  // "😀" is two UTF-16 units: each text puts it across one of the cuts.
  const std::string face = "\U0001F600";
  const std::string brokenWord = std::string(159, 'w') + face + "tail";
  std::string pastTheLength;
  for (int i = 0; i < 4; ++i) pastTheLength += std::string(99, 'a') + " ";
  pastTheLength += std::string(99, 'b') + face + " more";
  std::string pastTheLines;
  for (int i = 0; i < 11; ++i) pastTheLines += "line\n";
  pastTheLines += std::string(158, 'c') + face + "\nthirteen";
  double x = 130;
  for (const std::string& text : {brokenWord, pastTheLength, pastTheLines}) {
    controller->toolTipAnswer = text;
    mouse.moveTo(at(++x, 60));
    const QString tip = view->canvas()->toolTip();
    EXPECT_TRUE(tip.isValidUtf16()) << text;
    EXPECT_FALSE(tip.contains(QChar(QChar::ReplacementCharacter))) << text;
  }
  controller->toolTipAnswer = brokenWord;
  mouse.moveTo(at(++x, 60));
  EXPECT_EQ(view->canvas()->toolTip().remove('\n').toStdString(), brokenWord);
}

TEST_F(ContentInput, NoToolTipIsTallerThanTwelveLinesWhateverBreaksItsLines) {
  // Each text shown as Qt shows a tip on hover: its text and the height of
  // its window. A line is as tall as the fonts its characters are drawn in
  // (a fallback font for CJK text may be taller than the default one), so a
  // tip is measured against one of the same number of lines, each made of
  // the distinct characters of its line: the same glyphs, too few to wrap,
  // and at most one of whatever might break a line in Qt's label.
  double x = 130;
  const auto show = [&](const std::string& text) {
    controller->toolTipAnswer = text;
    mouse.moveTo(at(++x, 60));
    return std::pair(view->canvas()->toolTip(), shownToolTipSize(QPointF(x, 60)).height());
  };
  const auto linesOf = [](const QString& tip) {
    QTextDocument markup;
    markup.setHtml(tip);
    QString shown = Qt::mightBeRichText(tip) ? markup.toPlainText() : tip;
    return shown.replace(QChar::LineSeparator, u'\n').split(u'\n');
  };
  const auto sameGlyphs = [](const QStringList& lines, bool markup) {
    QStringList reduced;
    for (const QString& line : lines) {
      QList<char32_t> distinct;
      for (const char32_t c : line.toUcs4()) {
        if (!distinct.contains(c) && (markup || (c != U'<' && c != U'&'))) distinct << c;
      }
      reduced << QString::fromUcs4(distinct.constData(), distinct.size());
    }
    const QString text = reduced.join(u'\n');
    return ((markup && !Qt::mightBeRichText(text) ? "<b>" : "") + text).toStdString();
  };
  const auto expectShownAsCounted = [&](const std::string& text) {
    const auto [tip, height] = show(text);
    const QStringList lines = linesOf(tip);
    EXPECT_LE(lines.size(), 12) << text;
    const bool markup = Qt::mightBeRichText(tip);
    const auto [sameTip, sameHeight] = show(sameGlyphs(lines, markup));
    ASSERT_EQ(Qt::mightBeRichText(sameTip), markup) << text;
    ASSERT_EQ(linesOf(sameTip).size(), lines.size()) << text;
    EXPECT_EQ(height, sameHeight) << lines.size() << " lines: " << text;
    if (markup) {
      // Markup lays its lines out a few pixels apart from a plain label,
      // by the font's fractions of a pixel; a paragraph's margins between
      // them would add about a line.
      const int plainHeight = show(sameGlyphs(lines, false)).second;
      EXPECT_LT(std::abs(height - plainHeight), plainHeight / lines.size())
          << "no margins between lines: " << text;
    }
  };
  std::string twelveLines = "line";
  for (int line = 2; line <= 12; ++line) twelveLines += "\nline";
  ASSERT_GT(show(twelveLines).second, show("line").second);
  expectShownAsCounted("<b>" + twelveLines);
  // Short lines ended by whatever breaks a line, or might, in Qt's label
  // or in the markup a text that looks like markup is shown as.
  for (const std::string ending : {"\n", "\n\n\n", "\u2028", "\u2029", "\r", "\r\n", "\v", "\f",
                                   "\u0085", "\uFDD0", "\uFDD1"}) {
    for (const std::string start : {"", "<b>"}) {
      std::string text = start;
      while (text.size() < 2000) text += "x" + ending;
      expectShownAsCounted(text);
    }
  }
  // Lines too wide for the screen, whatever their number of characters:
  // once one line of a plain tip is wider than the screen, Qt wraps every
  // line of it. Each tip shows the lines its text has, twelve at most.
  const auto repeated = [](const std::string& piece, std::size_t size) {
    std::string text;
    while (text.size() < size) text += piece;
    return text;
  };
  const std::string elevenLines = twelveLines.substr(5) + "\n";
  for (const std::string& wide :
       {elevenLines + repeated("ill ", 400), elevenLines + repeated("WW ", 160),
        elevenLines + repeated("\u4E2D\u6587", 480), repeated("WW ", 600),
        std::string(150, 'W') + "\n" + repeated("ill ", 150), repeated("\U0001F600", 600)}) {
    for (const std::string start : {"", "<b>"}) expectShownAsCounted(start + wide);
  }
  // Random mixes of wide and narrow words, tabs and spaces in lines of
  // random lengths, some of them looking like markup.
  std::mt19937 random(11);
  const auto below = [&random](int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random);
  };
  const std::vector<std::string> pieces = {"W",    "WW ", "\u4E2D\u6587", "\U0001F600",
                                           "ill ", "\t",  "  ",           "i"};
  for (int round = 0; round < 40; ++round) {
    std::string text = below(4) == 0 ? "<i>" : "";
    for (const int size = 1 + below(700); int(text.size()) < size;) {
      text += below(20) == 0 ? (below(2) == 0 ? "\n" : "\u2028")
                             : pieces[std::size_t(below(int(pieces.size())))];
    }
    expectShownAsCounted(text);
  }
}

TEST_F(ContentInput, ToolTipsAreTheDetailsOfTheItemOrDependency) {
  EXPECT_EQ(view->toolTip(item), "Task details");
  EXPECT_EQ(view->toolTip(milestone), std::nullopt);
  dependency->setDetails("Link details");
  EXPECT_EQ(view->toolTip(dependency), "Link details");
}

// --- Context menus ------------------------------------------------------------------------------

TEST_F(ContentInput, OverEmptySpaceTheMenuOffersWhatMayBeCreatedWhereTheBarCanBeShown) {
  controller->elementAnswer = GanttChartElement::emptyArea({.row = 2, .time = Time()}, true, true);
  EXPECT_EQ(view->menu(QPointF(120, 70)), view->emptyAreaMenu());
  EXPECT_THAT(controller->take(),
              ElementsAre("focusElement(120, 70) bringingToFront", "showTemporaryBar(120, 70)"));
  EXPECT_EQ(view->createItemMenuItem()->text(), "Create item");
  EXPECT_EQ(view->createMilestoneItemMenuItem()->text(), "Create milestone");
  EXPECT_TRUE(view->createItemMenuItem()->isVisible());
  EXPECT_TRUE(view->createMilestoneItemMenuItem()->isVisible());

  controller->elementAnswer = GanttChartElement::emptyArea({.row = 2, .time = Time()}, true, false);
  view->menu(QPointF(120, 70));
  EXPECT_TRUE(view->createItemMenuItem()->isVisible());
  EXPECT_FALSE(view->createMilestoneItemMenuItem()->isVisible());

  controller->temporaryBarAnswer = false;
  controller->elementAnswer = GanttChartElement::emptyArea({.row = 2, .time = Time()}, true, true);
  EXPECT_EQ(view->menu(QPointF(120, 70)), view->emptyAreaMenu());
  EXPECT_FALSE(view->createItemMenuItem()->isVisible());
  EXPECT_FALSE(view->createMilestoneItemMenuItem()->isVisible());
}

TEST_F(ContentInput, OverABarTheMenuOffersEditingAndDeletingAsAllowed) {
  controller->elementAnswer = GanttChartElement::bar(item, GanttChartBarElementAction::move, true);
  EXPECT_EQ(view->menu(QPointF(120, 70)), view->itemMenu());
  EXPECT_EQ(view->editItemMenuItem()->text(), "Edit");
  EXPECT_FALSE(view->editItemMenuItem()->isVisible()) << "nothing edits without an editor";
  EXPECT_EQ(view->deleteItemMenuItem()->text(), "Delete item");
  EXPECT_TRUE(view->deleteItemMenuItem()->isVisible());

  controller->canEditAnswer = true;
  controller->elementAnswer =
      GanttChartElement::bar(milestone, GanttChartBarElementAction::move, false);
  GanttChartContentSettings settings = controller->settings();
  settings.strings.deleteMilestoneItem = "Remove gate & all";
  controller->setSettings(settings);
  view->menu(QPointF(120, 70));
  EXPECT_TRUE(view->editItemMenuItem()->isVisible());
  EXPECT_EQ(view->deleteItemMenuItem()->text(), "Remove gate && all")
      << "shown as written, not as a mnemonic";
  EXPECT_FALSE(view->deleteItemMenuItem()->isVisible());
}

TEST_F(ContentInput, OverADependencyTheMenuOffersItsCommandsAndOverNothingNoMenuOpens) {
  controller->canEditAnswer = true;
  controller->elementAnswer = GanttChartElement::dependencyLine(dependency, false);
  EXPECT_EQ(view->menu(QPointF(120, 70)), view->dependencyMenu());
  EXPECT_EQ(view->editDependencyMenuItem()->text(), "Edit");
  EXPECT_TRUE(view->editDependencyMenuItem()->isVisible());
  EXPECT_EQ(view->deleteDependencyMenuItem()->text(), "Delete dependency");
  EXPECT_FALSE(view->deleteDependencyMenuItem()->isVisible());

  controller->elementAnswer.reset();
  EXPECT_EQ(view->menu(QPointF(120, 70)), nullptr);
}

TEST_F(ContentInput, TheCommandsActOnTheElementTheMenuWasOpenedFor) {
  controller->elementAnswer = GanttChartElement::emptyArea({.row = 4, .time = Time()}, true, true);
  view->menu(QPointF(120, 70));
  controller->take();
  view->createMilestoneItem();
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus", "addNewItem(4, milestone)"));
  view->menu(QPointF(120, 70));
  controller->take();
  view->deleteItem();
  EXPECT_THAT(controller->take(), IsEmpty()) << "not a bar";
  view->createItem();
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus", "addNewItem(4)"));

  controller->elementAnswer = GanttChartElement::bar(item, GanttChartBarElementAction::move, true);
  view->menu(QPointF(120, 70));
  controller->take();
  view->editItem();
  EXPECT_THAT(controller->take(), ElementsAre("edit(item task)")) << "the focus stays";
  view->deleteItem();
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus", "removeItem(task)"));

  controller->elementAnswer = GanttChartElement::dependencyLine(dependency, true);
  view->menu(QPointF(120, 70));
  controller->take();
  view->editDependency();
  view->deleteDependency();
  EXPECT_THAT(controller->take(),
              ElementsAre("edit(dependency link)", "cancelFocus", "removeDependency(link)"));
}

TEST_F(ContentInput, ASecondaryClickOpensTheMenuWhichKeepsTheFocusWhileOpen) {
  controller->elementAnswer = GanttChartElement::emptyArea({.row = 4, .time = Time()}, true, true);
  sendContextMenu(QPointF(120, 70));
  ASSERT_TRUE(view->emptyAreaMenu()->isVisible());
  EXPECT_THAT(controller->take(),
              ElementsAre("focusElement(120, 70) bringingToFront", "showTemporaryBar(120, 70)"));
  // The open menu takes the pointer: the canvas hears it leave and come back.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(view->canvas(), &leave);
  view->emptyAreaMenu()->hide();
  QEnterEvent enter(at(120, 70), at(120, 70), view->canvas()->mapToGlobal(at(120, 70)));
  QCoreApplication::sendEvent(view->canvas(), &enter);
  view->createItemMenuItem()->trigger();
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus", "addNewItem(4)"));

  QCoreApplication::processEvents();
  view->mouseExited();
  EXPECT_THAT(controller->take(), ElementsAre("cancelFocus")) << "once the menu is done";
}

TEST_F(ContentInput, AMenuWithEveryCommandHiddenDoesNotOpen) {
  controller->elementAnswer =
      GanttChartElement::emptyArea({.row = 4, .time = Time()}, false, false);
  sendContextMenu(QPointF(120, 70));
  EXPECT_FALSE(view->emptyAreaMenu()->isVisible());
}

}  // namespace
}  // namespace vorlent
