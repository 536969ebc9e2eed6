// The viewer, the query builder and the filtered motor removal on the desktop,
// the handheld and the phone: laid out without faults, texts in full, targets
// a finger can hit, and a visible way out as well as Escape.
#include "db/RecordStore.h"
#include "motors/MotorFilterDlg.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/TouchSize.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

struct CScreenCase
{
    const char *name;
    // Builds the screen and brings it to a state with long texts on show.
    std::function<std::unique_ptr<QDialog>(CRecordStore &, CUiServices)> open;
    const char *closeButton;
};

void PrintTo(const CScreenCase &screen, std::ostream *out)
{
    *out << screen.name;
}

const CScreenCase kScreens[] = {
    {"viewer",
     [](CRecordStore &store, CUiServices ui) {
         auto viewer = std::make_unique<CQueryDlg>(store, ui);
         viewer->selectQuery(0);
         return std::unique_ptr<QDialog>(std::move(viewer));
     },
     "Close"},
    {"builder",
     [](CRecordStore &store, CUiServices ui) {
         auto builder = std::make_unique<CQueryBuilderDlg>(store, ui);
         builder->queryList()->setCurrentRow(0);
         return std::unique_ptr<QDialog>(std::move(builder));
     },
     "Close"},
    {"motor filter",
     [](CRecordStore &store, CUiServices ui) {
         auto filter = std::make_unique<CMotorFilterDlg>(store, ui);
         for (QLabel *label : filter->findChildren<QLabel *>()) {
             if (label->text() == QLatin1String("Size"))
                 qobject_cast<QLineEdit *>(label->buddy())->setText(QStringLiteral("x"));
         }
         filter->onTestQuery();
         return std::unique_ptr<QDialog>(std::move(filter));
     },
     "Cancel"},
};

class ScreensFit : public ::testing::TestWithParam<CScreenCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name, MFG, Type) VALUES (1, 'Big Daddy Upscale Two-Stage Sport Scale', "
            "'Estes Industries', 'Two-stage sport scale')",
            "INSERT INTO Rockets (ID, Name, MFG, Type) VALUES (2, 'Alpha', 'QST', 'Sport')",
            "INSERT INTO Queries (Name, Query) VALUES ('Every rocket with its maker and type, by name', "
            "'SELECT Name, MFG, Type, ID, Name AS Again, MFG AS Maker FROM Rockets WHERE Type LIKE ''%sport%'' "
            "ORDER BY Name')",
            "INSERT INTO Queries (Name, Query) VALUES ('Short', 'SELECT 1')",
            "INSERT INTO Motors VALUES (1, 'K1440WT-P', '14-12-10-8-6', 'Cesaroni Technology Inc.', '54x404')",
            "INSERT INTO Motors VALUES (2, 'A8', '3', 'Estes', '18x70')",
        }));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CUiServices m_ui {m_prompter, m_files};
};

bool isInput(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
        || qobject_cast<const QComboBox *>(widget)
        || (qobject_cast<const QAbstractItemView *>(widget) && !qobject_cast<const QHeaderView *>(widget)
            && !widget->window()->inherits("QComboBoxPrivateContainer"));
}

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

TEST_P(ScreensFit, NoLayoutFaultsAndFingerSizedControlsOnThePhone)
{
    const std::unique_ptr<QDialog> screen = GetParam().open(m_store, m_ui);
    QString skipped;
    const QStringList faults = auditOnReferenceScreens(screen.get(), &skipped);
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();

    // Finger-sized on the phone; back on the handheld, stylus-sized as they were.
    for (ReferenceScreen form : {ReferenceScreen::Phone, ReferenceScreen::Compact}) {
        ASSERT_TRUE(showOnReferenceScreen(screen.get(), form));
        for (QWidget *widget : screen->findChildren<QWidget *>()) {
            const bool target = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
                || qobject_cast<QComboBox *>(widget);
            if (!target || !widget->isVisible() || qobject_cast<QComboBox *>(widget->parentWidget()))
                continue;
            if (form == ReferenceScreen::Phone) {
                EXPECT_GE(widget->height(), kMinimumTouchSize) << widget->metaObject()->className();
            } else {
                EXPECT_LT(widget->height(), kMinimumTouchSize) << widget->metaObject()->className();
            }
        }
    }

    // Read as they are labelled: an input by the label beside it (or its own
    // name where it has none), a label by its own text.
    for (QWidget *widget : screen->findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (!label->text().isEmpty()) {
                EXPECT_EQ(accessibleName(label), label->text());
            }
            if (label->buddy() && isInput(label->buddy())) {
                EXPECT_EQ(accessibleName(label->buddy()), label->text());
            }
        } else if (isInput(widget) && widget->isVisible()) {
            EXPECT_FALSE(accessibleName(widget).isEmpty()) << widget->metaObject()->className();
        }
    }
}

TEST_P(ScreensFit, EscapeAndTheCloseButtonCloseTheScreenWithoutWriting)
{
    const std::unique_ptr<QDialog> screen = GetParam().open(m_store, m_ui);
    for (bool byButton : {false, true}) {
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        if (byButton) {
            QAbstractButton *close = nullptr;
            for (QAbstractButton *button : screen->findChildren<QAbstractButton *>()) {
                if (button->text() == QLatin1String(GetParam().closeButton) && button->isVisible())
                    close = button;
            }
            ASSERT_NE(close, nullptr) << GetParam().closeButton;
            driver::tap(close);
        } else {
            driver::keyClick(screen.get(), Qt::Key_Escape);
        }
        EXPECT_FALSE(screen->isVisible()) << (byButton ? "button" : "Escape");
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Type FROM Motors ORDER BY ID")), QStringList({"K1440WT-P", "A8"}));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT count(*) FROM Queries")), QStringList({"2"}));
    EXPECT_TRUE(m_prompter.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreensFit, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<CScreenCase> &info) {
                             return QString::fromLatin1(info.param.name).remove(QLatin1Char(' ')).toStdString();
                         });
