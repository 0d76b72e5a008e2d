#include "TdlgNewFromCpt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <numbers>

#include "ConeProfile.h"
#include "CptFile.h"
#include "CptPreview.h"
#include "CptReadError.h"
#include "CptText.h"
#include "TDesktop.h"

namespace keldar {

namespace {

const QStringList kCptFileFilters = {QStringLiteral("CPT files (*.gef *.ags *.csv *.tsv *.txt)"),
                                     QStringLiteral("All Files (*.*)")};
const QStringList kSoilNames = {QStringLiteral("sand"), QStringLiteral("clay")};
// The last layer set by hand goes on below the pile, as on the command line.
constexpr double kBelowEverything = 1e9;
constexpr int kTopColumn = 0;
constexpr int kSoilColumn = 1;

QString Number(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace

TdlgNewFromCpt::TdlgNewFromCpt(TDesktop& desktop, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("dlgNewFromCpt"));
    setWindowTitle(QStringLiteral("New Project from CPT"));

    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("CptFile"));
    auto* browse = new QPushButton(QStringLiteral("&Browse…"), this);
    browse->setObjectName(QStringLiteral("Browse"));
    auto* fileRow = new QHBoxLayout;
    auto* fileLabel = new QLabel(QStringLiteral("CPT &file:"), this);
    fileLabel->setBuddy(fileEdit_);
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(browse);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* entries = new QVBoxLayout;
    entries->addWidget(CreatePileBox());
    entries->addWidget(CreateGroundBox());
    entries->addWidget(CreateLayerBox(), 1);
    preview_ = new TCptPreview(this);
    auto* middle = new QHBoxLayout;
    middle->addLayout(entries);
    middle->addWidget(preview_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    okButton_->setObjectName(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgNewFromCpt::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TdlgNewFromCpt::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(middle, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &TdlgNewFromCpt::ChooseFile);
    connect(fileEdit_, &QLineEdit::editingFinished, this, [this] {
        if (fileEdit_->text() != QString::fromStdString(record_ ? record_->fileName : ""))
            LoadFile(fileEdit_->text());
    });
    Recompute();
}

TdlgNewFromCpt::~TdlgNewFromCpt() {
    // The fields go after this window's members, and a field losing the focus as it goes still
    // signals: nothing of theirs may reach Recompute then.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

QDoubleSpinBox* TdlgNewFromCpt::AddNumber(const char* name, double value, double most,
                                          int decimals) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(QLatin1String(name));
    // Numbers are read and shown with "." whatever the desktop's language.
    box->setLocale(QLocale::c());
    box->setDecimals(decimals);
    box->setRange(0, most);
    box->setValue(value);
    box->setSingleStep(std::pow(10.0, -std::min(decimals, 2)));
    connect(box, &QDoubleSpinBox::valueChanged, this, &TdlgNewFromCpt::Recompute);
    return box;
}

QCheckBox* TdlgNewFromCpt::AddCheck(const char* name, const QString& text) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    connect(box, &QCheckBox::toggled, this, &TdlgNewFromCpt::Recompute);
    return box;
}

QComboBox* TdlgNewFromCpt::AddChoice(const char* name, const QStringList& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    connect(box, &QComboBox::currentIndexChanged, this, &TdlgNewFromCpt::Recompute);
    return box;
}

QWidget* TdlgNewFromCpt::CreatePileBox() {
    auto* box = new QGroupBox(QStringLiteral("Pile"), this);
    auto* form = new QFormLayout(box);
    diameter_ = AddNumber("Diameter", 0.762, 10, 4);
    form->addRow(QStringLiteral("Outer &diameter (m):"), diameter_);
    wall_ = AddNumber("Wall", 0.019, 5, 4);
    form->addRow(QStringLiteral("&Wall thickness (m):"), wall_);
    closedEnd_ = AddCheck("ClosedEnd", QStringLiteral("&Closed end (no wall: a solid section)"));
    form->addRow(QString(), closedEnd_);
    length_ = AddNumber("Length", 20, 500, 3);
    form->addRow(QStringLiteral("Embedded &length (m):"), length_);
    modulus_ = AddNumber("Modulus", 2.1e8, 1e10, 0);
    form->addRow(QStringLiteral("Young's &modulus (kPa):"), modulus_);
    stiffness_ = new QLabel(box);
    stiffness_->setObjectName(QStringLiteral("AxialStiffness"));
    form->addRow(QStringLiteral("AE (kN):"), stiffness_);
    direction_ =
        AddChoice("Direction", {QStringLiteral("Compression"), QStringLiteral("Tension (uplift)")});
    form->addRow(QStringLiteral("L&oading:"), direction_);
    return box;
}

QWidget* TdlgNewFromCpt::CreateGroundBox() {
    auto* box = new QGroupBox(QStringLiteral("Ground and curves"), this);
    auto* form = new QFormLayout(box);
    waterTable_ = AddNumber("WaterTable", 0, 500, 2);
    form->addRow(QStringLiteral("Water &table depth (m):"), waterTable_);
    unitWeight_ = AddNumber("UnitWeight", 19, 30, 2);
    form->addRow(QStringLiteral("&Unit weight (kN/m³):"), unitWeight_);
    unitWeightFromCone_ = AddCheck("UnitWeightFromCone",
                                   QStringLiteral("Unit weights from the &cone where it has fs"));
    form->addRow(QString(), unitWeightFromCone_);
    spacing_ = AddNumber("Spacing", 1.0, 100, 2);
    spacing_->setMinimum(0.05);
    form->addRow(QStringLiteral("Curve &spacing (m):"), spacing_);
    mergeTolerance_ = AddNumber("MergeTolerance", 100 * cpt::kCurveMergeTolerance, 50, 1);
    form->addRow(QStringLiteral("Merge curves within (%):"), mergeTolerance_);
    baseAverage_ = AddChoice(
        "BaseAverage", {QStringLiteral("Dutch method (sand)"), QStringLiteral("Mean over ±1.5 D")});
    form->addRow(QStringLiteral("qp at the &base:"), baseAverage_);
    return box;
}

QWidget* TdlgNewFromCpt::CreateLayerBox() {
    auto* box = new QGroupBox(QStringLiteral("Soil layers"), this);
    layersFromIc_ = new QRadioButton(QStringLiteral("From the soil behaviour type &index Ic"), box);
    layersFromIc_->setObjectName(QStringLiteral("LayersFromIc"));
    layersFromIc_->setChecked(true);
    layersByHand_ = new QRadioButton(QStringLiteral("Set by &hand"), box);
    layersByHand_->setObjectName(QStringLiteral("LayersByHand"));
    layerTable_ = new QTableWidget(0, 2, box);
    layerTable_->setObjectName(QStringLiteral("Layers"));
    layerTable_->setHorizontalHeaderLabels({QStringLiteral("Top (m)"), QStringLiteral("Soil")});
    layerTable_->horizontalHeader()->setStretchLastSection(true);
    layerTable_->verticalHeader()->setVisible(false);
    layerTable_->setEnabled(false);
    auto* add = new QPushButton(QStringLiteral("&Add"), box);
    add->setObjectName(QStringLiteral("AddLayer"));
    auto* remove = new QPushButton(QStringLiteral("&Remove"), box);
    remove->setObjectName(QStringLiteral("RemoveLayer"));
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(layersFromIc_);
    layout->addWidget(layersByHand_);
    layout->addWidget(layerTable_, 1);
    layout->addLayout(rowButtons);

    connect(layersByHand_, &QRadioButton::toggled, this, [this, add, remove](bool byHand) {
        layerTable_->setEnabled(byHand);
        add->setEnabled(byHand);
        remove->setEnabled(byHand);
        // Setting layers by hand starts from those Ic found.
        if (byHand && layerTable_->rowCount() == 0) CopyLayersToTable();
        Recompute();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        const int rows = layerTable_->rowCount();
        AddLayerRow(rows == 0 ? 0.0 : length_->value(), cpt::SoilKind::Sand);
        Recompute();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = layerTable_->currentRow();
        if (row > 0 || (row == 0 && layerTable_->rowCount() == 1)) layerTable_->removeRow(row);
        Recompute();
    });
    connect(layerTable_, &QTableWidget::itemChanged, this, &TdlgNewFromCpt::Recompute);
    add->setEnabled(false);
    remove->setEnabled(false);
    return box;
}

void TdlgNewFromCpt::AddLayerRow(double top, cpt::SoilKind kind) {
    const QSignalBlocker blocker(layerTable_);
    const int row = layerTable_->rowCount();
    layerTable_->insertRow(row);
    auto* item = new QTableWidgetItem(Number(top, 2));
    // The first layer starts at the ground surface.
    if (row == 0) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    layerTable_->setItem(row, kTopColumn, item);
    auto* soil = new QComboBox(layerTable_);
    soil->addItems(kSoilNames);
    soil->setCurrentIndex(kind == cpt::SoilKind::Sand ? 0 : 1);
    layerTable_->setCellWidget(row, kSoilColumn, soil);
    connect(soil, &QComboBox::currentIndexChanged, this, &TdlgNewFromCpt::Recompute);
}

void TdlgNewFromCpt::CopyLayersToTable() {
    layerTable_->setRowCount(0);
    double top = 0;
    if (!design_) {
        AddLayerRow(0, cpt::SoilKind::Sand);
        return;
    }
    for (const cpt::SoilLayer& layer : design_->layers) {
        if (top >= length_->value()) break;
        AddLayerRow(top, layer.kind);
        top = layer.bottom;
    }
}

void TdlgNewFromCpt::ChooseFile() {
    const TFileDialogRequest request{QStringLiteral("Open CPT File"), fileEdit_->text(),
                                     kCptFileFilters, 0, QString()};
    const std::optional<TFileChoice> choice = desktop_.openFileName(request);
    if (!choice || choice->fileName.isEmpty()) return;
    fileEdit_->setText(choice->fileName);
    LoadFile(choice->fileName);
}

void TdlgNewFromCpt::LoadFile(const QString& fileName) {
    fileEdit_->setText(fileName);
    record_.reset();
    readError_.clear();
    try {
        record_ = cpt::ReadCptFile(QFile::encodeName(fileName).toStdString());
    } catch (const cpt::CptReadError& e) {
        readError_ = QString::fromLocal8Bit(e.what());
    }
    Recompute();
}

QString TdlgNewFromCpt::ReadOptions() {
    options_.pile = {diameter_->value(), wall_->value(), closedEnd_->isChecked(), length_->value(),
                     modulus_->value()};
    options_.direction = direction_->currentIndex() == 0 ? cpt::LoadDirection::Compression
                                                         : cpt::LoadDirection::Tension;
    options_.waterTable = waterTable_->value();
    options_.unitWeights = {{0, unitWeight_->value()}};
    options_.unitWeightsFromCone = unitWeightFromCone_->isChecked();
    options_.curveSpacing = spacing_->value();
    options_.mergeTolerance = mergeTolerance_->value() / 100.0;
    options_.baseAveraging = baseAverage_->currentIndex() == 0 ? cpt::BaseAveraging::Dutch
                                                               : cpt::BaseAveraging::OnePointFive;
    options_.layers.clear();
    if (!layersByHand_->isChecked()) return {};
    double previousTop = 0;
    for (int row = 0; row < layerTable_->rowCount(); ++row) {
        const QTableWidgetItem* item = layerTable_->item(row, kTopColumn);
        const std::optional<double> top =
            item ? cpt::ParseNumber(item->text().trimmed().toStdString()) : std::nullopt;
        if (row > 0 && !(top && *top > previousTop && *top < kBelowEverything))
            return QStringLiteral("The top of layer %1 must be a depth below the top of layer %2.")
                .arg(row + 1)
                .arg(row);
        const auto* soil = static_cast<QComboBox*>(layerTable_->cellWidget(row, kSoilColumn));
        const cpt::SoilKind kind =
            soil->currentIndex() == 0 ? cpt::SoilKind::Sand : cpt::SoilKind::Clay;
        if (row > 0) {
            options_.layers.back().bottom = *top;
            previousTop = *top;
        }
        options_.layers.push_back({kBelowEverything, kind});
    }
    if (options_.layers.empty()) return QStringLiteral("Add at least one soil layer.");
    return {};
}

void TdlgNewFromCpt::Recompute() {
    if (!status_) return;  // still being built
    design_.reset();
    const QString entryProblem = ReadOptions();
    stiffness_->setText(Number(options_.pile.modulus * options_.pile.SectionArea(), 0));
    std::vector<cpt::ConeProfileRow> profile;
    QString problem = !readError_.isEmpty() ? readError_ : entryProblem;
    // Before any file is chosen there is nothing wrong yet: the line says what to do first.
    const bool waiting = problem.isEmpty() && !record_;
    if (waiting) problem = QStringLiteral("Choose a CPT file.");
    if (problem.isEmpty()) {
        const cpt::DesignResult result = cpt::DesignPile(*record_, options_);
        if (result.design) {
            design_ = result.design;
        } else {
            problem = QString::fromStdString(result.message);
            problem[0] = problem[0].toUpper();
            problem += QLatin1Char('.');
        }
    }
    if (record_) profile = cpt::ConeProfile(*record_, options_);
    preview_->SetProfile(std::move(profile), design_ ? &*design_ : nullptr, options_.pile.length);
    okButton_->setEnabled(design_.has_value());
    ShowStatus(problem.isEmpty() ? DesignText() : problem, !problem.isEmpty() && !waiting);
}

QString TdlgNewFromCpt::DesignText() const {
    const cpt::PileDesign& d = *design_;
    QString text = QStringLiteral("%1 readings").arg(record_->readings.size());
    if (record_->droppedRows > 0)
        text +=
            QStringLiteral(", %1 void %2 dropped")
                .arg(record_->droppedRows)
                .arg(record_->droppedRows == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
    text += QStringLiteral("; %1 layers, %2 t-z curves; shaft %3 kN, base %4 kN (at 0.1 D)")
                .arg(d.layers.size())
                .arg(d.curves.size())
                .arg(Number(d.ShaftCapacity(options_.pile.diameter), 0))
                .arg(Number(d.qbPeak * options_.pile.GrossTipArea(), 0));
    for (const std::string& note : record_->notes)
        text += QStringLiteral("; ") + QString::fromStdString(note);
    for (const std::string& note : d.notes)
        text += QStringLiteral("; ") + QString::fromStdString(note);
    return text + QLatin1Char('.');
}

void TdlgNewFromCpt::ShowStatus(const QString& text, bool isError) {
    status_->setText(text);
    status_->setStyleSheet(isError ? QStringLiteral("color: #b00000") : QString());
}

void TdlgNewFromCpt::accept() {
    if (!design_) return;
    if (mayAccept_ && !mayAccept_()) return;
    QDialog::accept();
}

}  // namespace keldar
