#include "motors/MotorFilterDlg.h"

#include "db/RecordStore.h"
#include "motors/MotorLineModel.h"
#include "motors/MotorListView.h"
#include "motors/MotorTable.h"
#include "ui/FormFactor.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The list's columns start this wide, and grow to their longest text.
constexpr std::array<int, 4> kColumnWidths = {62, 46, 62, 52};
// Rows looked at to size the columns: a few screens' worth, not a whole catalogue.
constexpr int kRowsMeasured = 500;
} // namespace

CMotorFilterDlg::CMotorFilterDlg(CRecordStore &store, CUiServices ui, QWidget *parent)
    : CListScreen(QStringLiteral("Dialog"), QStringLiteral("motorFilterDialog"), parent)
    , m_store(store)
    , m_ui(ui)
{
    buildLayout();
}

void CMotorFilterDlg::buildLayout()
{
    auto *title = new QLabel(QStringLiteral("Remove motors with filter:"), this);

    m_mfgEdit = new QLineEdit(this);
    m_typeEdit = new QLineEdit(this);
    m_delayEdit = new QLineEdit(this);
    m_sizeEdit = new QLineEdit(this);
    m_notMfg = new QCheckBox(QStringLiteral("NOT"), this);
    m_notType = new QCheckBox(QStringLiteral("NOT"), this);
    m_notDelay = new QCheckBox(QStringLiteral("NOT"), this);
    m_notSize = new QCheckBox(QStringLiteral("NOT"), this);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(2);
    fields->setVerticalSpacing(1);
    const char *labels[] = {"MFG", "Type", "Delay", "Size"};
    QLineEdit *edits[] = {m_mfgEdit, m_typeEdit, m_delayEdit, m_sizeEdit};
    QCheckBox *nots[] = {m_notMfg, m_notType, m_notDelay, m_notSize};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(QLatin1String(labels[i]), this);
        label->setBuddy(edits[i]);
        edits[i]->setMinimumWidth(kColumnWidths[i] - 2);
        nots[i]->setAccessibleDescription(QStringLiteral("NOT ") + QLatin1String(labels[i]));
        fields->setColumnStretch(i, 1);
        fields->addWidget(label, 0, i);
        fields->addWidget(edits[i], 1, i);
        fields->addWidget(nots[i], 2, i);
        // Any change makes the listed motors stale: a ticked NOT box turns the
        // removal onto the motors that were not shown.
        connect(edits[i], &QLineEdit::textChanged, this, [this] { m_tested = false; });
        connect(nots[i], &QCheckBox::toggled, this, [this] { m_tested = false; });
    }

    // The class has a row of its own: a fifth column would not leave the
    // handheld's edits room for a designation.
    auto *classLabel = new QLabel(QStringLiteral("Class"), this);
    m_classEdit = new QLineEdit(this);
    m_classEdit->setMaxLength(8);
    m_classEdit->setMaximumWidth(kColumnWidths[1]);
    classLabel->setBuddy(m_classEdit);
    m_notClass = new QCheckBox(QStringLiteral("NOT"), this);
    m_notClass->setAccessibleDescription(QStringLiteral("NOT Class"));
    connect(m_classEdit, &QLineEdit::textChanged, this, [this] { m_tested = false; });
    connect(m_notClass, &QCheckBox::toggled, this, [this] { m_tested = false; });
    auto *classRow = new QHBoxLayout;
    classRow->setSpacing(2);
    classRow->addWidget(classLabel);
    classRow->addWidget(m_classEdit);
    classRow->addWidget(m_notClass);
    classRow->addStretch();

    auto *test = new QPushButton(QStringLiteral("Test Query"), this);
    test->setAutoDefault(false);
    connect(test, &QPushButton::clicked, this, &CMotorFilterDlg::onTestQuery);
    auto *testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(test);
    testRow->addStretch();

    auto *listLabel = new QLabel(QStringLiteral("Motors to be removed"), this);
    m_model = new CMotorLineModel(this);
    m_list = createMotorListView(m_model, kColumnWidths, this);
    // Every designation in full: the columns fit their texts and the list scrolls sideways.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setResizeContentsPrecision(kRowsMeasured);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    listLabel->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Motors to be removed"));

    auto *remove = new QPushButton(QStringLiteral("REMOVE"), this);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    remove->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &CMotorFilterDlg::onRemove);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout;
    layout->setSpacing(3);
    layout->addWidget(title);
    layout->addLayout(fields);
    layout->addLayout(classRow);
    layout->addLayout(testRow);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setContent(layout);
    rememberWindowState(this, m_ui.windowSettings, {m_list->header()});
}

CMotorFilter CMotorFilterDlg::filter() const
{
    CMotorFilter filter;
    filter.mfg = m_mfgEdit->text();
    filter.type = m_typeEdit->text();
    filter.delay = m_delayEdit->text();
    filter.size = m_sizeEdit->text();
    filter.impulseClass = m_classEdit->text();
    filter.notMfg = m_notMfg->isChecked();
    filter.notType = m_notType->isChecked();
    filter.notDelay = m_notDelay->isChecked();
    filter.notSize = m_notSize->isChecked();
    filter.notClass = m_notClass->isChecked();
    return filter;
}

void CMotorFilterDlg::onTestQuery()
{
    const CMotorFilter current = filter();
    QStringList lines;
    // An empty filter is no statement at all: it lists nothing.
    if (!motorFilterCondition(current).isEmpty() && m_store.RunSql(motorFilterSelect(current))) {
        for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext())
            lines.append(motorListLine(m_store));
    }
    // The list sorts its lines, as a sorted list box does, without regard to case.
    std::stable_sort(lines.begin(), lines.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_model->setLines(lines);
    fitColumns();
    m_tested = true;
}

void CMotorFilterDlg::fitColumns()
{
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const int initial = column < int(kColumnWidths.size()) ? kColumnWidths[size_t(column)] : 0;
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::max(initial, m_list->columnWidth(column)));
    }
}

void CMotorFilterDlg::onRemove()
{
    const CMotorFilter current = filter();
    // An empty filter is no statement at all: it matches and removes nothing.
    const bool runnable = !motorFilterCondition(current).isEmpty();
    const int found = runnable && m_store.RunSql(motorFilterSelect(current)) ? m_store.CountRecords() : 0;
    if (!m_tested) {
        const QString count = found == 1 ? QStringLiteral("1 motor") : QStringLiteral("%1 motors").arg(found);
        if (!m_ui.prompter.warningYesNo(this,
                                        QStringLiteral("SQL not tested\n%1 will be removed\nContinue?").arg(count)))
            return;
    }
    m_model->setLines({});
    // A deletion the store refused removed nothing, and says so.
    const int removed = found > 0 && m_store.RunSql(motorFilterDelete(current)) ? found : 0;
    m_ui.prompter.prompt(this, QStringLiteral("Complete"), QStringLiteral("Removed\n%1\nmotors").arg(removed),
                         PromptIcon::Information, PromptButtons::Ok);
    m_tested = true;
}
