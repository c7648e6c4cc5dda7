#include "editor/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "base/Exceptions.h"
#include "base/IntegerText.h"
#include "editor/Button.h"
#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/Fonts.h"
#include "editor/Form2.h"
#include "editor/PageFiles.h"
#include "editor/PageViewOpener.h"
#include "editor/ProgramIcon.h"
#include "editor/ScreenPlacement.h"
#include "editor/WaitCursor.h"
#include "editor/document/DocumentWindowOpener.h"
#include "page/PageOperations.h"

namespace pm {

namespace {

// The two entries of old, then every picture format that an import reads.
constexpr const char* kBitmapFilter =
    QT_TRANSLATE_NOOP("TForm1",
                      "*.bmp|*.bmp|*.*|*.*|画像ファイル (*.bmp *.png *.jpg *.jpeg *.gif *.webp)|"
                      "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp");
constexpr const char* kPageFilter = "*.pag|*.pag|*.*|*.*";
constexpr int32_t kLowestNumber = 0;
constexpr int32_t kHighestNumber = 255;

// A caption of the window in the user's language.
QString Text(const char* source) { return QCoreApplication::translate("TForm1", source); }
// The name of a control's role for assistive tools, likewise.
QString Role(const char* source) { return QCoreApplication::translate("TForm1Role", source); }

// Places a control in its parent's pixels, names it and gives it an accessible name.
template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry, const QString& accessibleName) {
  control->setObjectName(name);
  control->setGeometry(geometry);
  control->setAccessibleName(accessibleName);
  return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry, const char* caption) {
  auto* label = Place(new QLabel(Text(caption), parent), name, geometry, Text(caption));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect geometry, const char* caption) {
  return Place(new TButton(Text(caption), parent), name, geometry, Text(caption));
}

TEdit* MakeNumberField(QWidget* parent, const char* name, QRect geometry, const char* text,
                       const char* role) {
  auto* field = Place(new TEdit(parent), name, geometry, Role(role));
  field->setText(QString::fromUtf8(text));  // the initial text runs no OnChange
  field->SetImeMode(TImeMode::imDisable);
  return field;
}

TEdit* MakeNameField(QWidget* parent, const char* name, QRect geometry, const char* role) {
  return Place(new TEdit(parent), name, geometry, Role(role));
}

TUpDown* MakeUpDown(QWidget* parent, const char* name, QRect geometry, const char* role) {
  auto* upDown = Place(new TUpDown(parent), name, geometry, Role(role));
  upDown->SetMin(static_cast<int16_t>(kLowestNumber));
  upDown->SetMax(static_cast<int16_t>(kHighestNumber));
  upDown->SetIncrement(1);
  upDown->SetWrap(true);
  upDown->SetPosition(0);
  return upDown;
}

TImage* MakeImage(QWidget* parent, const char* name, QRect geometry, const char* role) {
  return Place(new TImage(parent), name, geometry, Role(role));
}

TBitmap ShownPicture(TJPEGImage& holder) {
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return bitmap;
}

}  // namespace

TForm1::TForm1()
    : OpenDialog1(TFileDialogKind::Open, Text(kBitmapFilter).toStdString()),
      SaveDialog1(TFileDialogKind::Save, kPageFilter),
      OpenDialog2(TFileDialogKind::Open, kPageFilter) {
  setObjectName("Form1");
  setWindowTitle(Text(kMainWindowCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kMainClientWidth, kMainClientHeight);
  setWindowIcon(ProgramIcon());
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  ApplyWindowFont(*this);
  CreateControls();
  SetTabOrder();
  ConnectHandlers();
  setAcceptDrops(true);
  for (TEdit* field : findChildren<TEdit*>()) field->installEventFilter(this);
  FormCreate();
  pageFiles_ = std::make_unique<TPageFiles>(*this);
  pageViewOpener_ = std::make_unique<TPageViewOpener>(*this);
  documentWindowOpener_ = std::make_unique<TDocumentWindowOpener>(*this);
}

TForm1::~TForm1() {
  // The views go before the page that they follow.
  documentWindowOpener_.reset();
  pageViewOpener_.reset();
  pageFiles_.reset();
  editedPage_.reset();
}

void TForm1::CreateControls() {
  Panel1 = Place(new TPanel(this, TBevel::bvRaised, TBevel::bvLowered), "Panel1", {0, 0, 640, 153},
                 Role(QT_TRANSLATE_NOOP("TForm1Role", "スロット")));
  Edit1 = MakeNumberField(Panel1, "Edit1", {16, 8, 121, 20}, "0",
                          QT_TRANSLATE_NOOP("TForm1Role", "スロット番号"));
  UpDown1 = MakeUpDown(Panel1, "UpDown1", {144, 8, 15, 22},
                       QT_TRANSLATE_NOOP("TForm1Role", "スロット番号の増減"));
  Label1 =
      MakeLabel(Panel1, "Label1", {168, 16, 70, 12}, QT_TRANSLATE_NOOP("TForm1", "番ビットマップ"));
  Label6 = MakeLabel(Panel1, "Label6", {264, 16, 41, 12}, QT_TRANSLATE_NOOP("TForm1", "ファイル"));
  Edit6 = MakeNameField(Panel1, "Edit6", {312, 16, 313, 20},
                        QT_TRANSLATE_NOOP("TForm1Role", "スロットのファイル"));
  BitBtn2 = MakeButton(Panel1, "BitBtn2", {16, 40, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "削除"));
  Image1 = MakeImage(Panel1, "Image1", {112, 40, 134, 100},
                     QT_TRANSLATE_NOOP("TForm1Role", "スロットの画像"));
  BitBtn1 =
      MakeButton(Panel1, "BitBtn1", {548, 48, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "読み込み"));

  Panel2 = Place(new TPanel(this, TBevel::bvLowered, TBevel::bvRaised), "Panel2",
                 {0, 153, 640, 128}, Role(QT_TRANSLATE_NOOP("TForm1Role", "リンク")));
  Edit7 = MakeNumberField(Panel2, "Edit7", {16, 16, 121, 20}, "0",
                          QT_TRANSLATE_NOOP("TForm1Role", "リンク番号"));
  UpDown2 = MakeUpDown(Panel2, "UpDown2", {144, 16, 15, 22},
                       QT_TRANSLATE_NOOP("TForm1Role", "リンク番号の増減"));
  Label7 = MakeLabel(Panel2, "Label7", {168, 24, 41, 12}, QT_TRANSLATE_NOOP("TForm1", "番リンク"));
  Button1 = MakeButton(Panel2, "Button1", {222, 16, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "削除"));
  Label11 =
      MakeLabel(Panel2, "Label11", {336, 16, 63, 12}, QT_TRANSLATE_NOOP("TForm1", "リンクページ"));
  Edit10 = MakeNumberField(Panel2, "Edit10", {408, 16, 121, 20}, "-1",
                           QT_TRANSLATE_NOOP("TForm1Role", "リンクページ"));
  Label2 = MakeLabel(Panel2, "Label2", {24, 48, 12, 12}, QT_TRANSLATE_NOOP("TForm1", "左"));
  Edit2 = MakeNumberField(Panel2, "Edit2", {40, 48, 121, 20}, "-1",
                          QT_TRANSLATE_NOOP("TForm1Role", "左"));
  Label4 = MakeLabel(Panel2, "Label4", {200, 48, 12, 12}, QT_TRANSLATE_NOOP("TForm1", "右"));
  Edit4 = MakeNumberField(Panel2, "Edit4", {216, 48, 121, 20}, "-1",
                          QT_TRANSLATE_NOOP("TForm1Role", "右"));
  Label3 = MakeLabel(Panel2, "Label3", {24, 72, 12, 12}, QT_TRANSLATE_NOOP("TForm1", "上"));
  Edit3 = MakeNumberField(Panel2, "Edit3", {40, 72, 121, 20}, "-1",
                          QT_TRANSLATE_NOOP("TForm1Role", "上"));
  Label5 = MakeLabel(Panel2, "Label5", {200, 72, 12, 12}, QT_TRANSLATE_NOOP("TForm1", "下"));
  Edit5 = MakeNumberField(Panel2, "Edit5", {216, 72, 121, 20}, "-1",
                          QT_TRANSLATE_NOOP("TForm1Role", "下"));
  Button3 = MakeButton(Panel2, "Button3", {360, 72, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "更新"));
  Label8 =
      MakeLabel(Panel2, "Label8", {24, 96, 58, 12}, QT_TRANSLATE_NOOP("TForm1", "ビットマップ"));
  Edit8 = MakeNumberField(Panel2, "Edit8", {104, 96, 121, 20}, "-1",
                          QT_TRANSLATE_NOOP("TForm1Role", "ビットマップ"));

  Panel3 = Place(new TPanel(this, TBevel::bvRaised, TBevel::bvRaised), "Panel3", {0, 281, 640, 152},
                 Role(QT_TRANSLATE_NOOP("TForm1Role", "背景")));
  Label9 = MakeLabel(Panel3, "Label9", {8, 8, 24, 12}, QT_TRANSLATE_NOOP("TForm1", "背景"));
  Label10 = MakeLabel(Panel3, "Label10", {8, 32, 41, 12}, QT_TRANSLATE_NOOP("TForm1", "ファイル"));
  Edit9 = MakeNameField(Panel3, "Edit9", {56, 32, 321, 20},
                        QT_TRANSLATE_NOOP("TForm1Role", "背景のファイル"));
  Button2 =
      MakeButton(Panel3, "Button2", {304, 56, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "読み込み"));
  Image2 = MakeImage(Panel3, "Image2", {432, 8, 183, 137},
                     QT_TRANSLATE_NOOP("TForm1Role", "背景の画像"));

  BitBtn3 = MakeButton(this, "BitBtn3", {8, 440, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "読み込み"));
  Button4 = MakeButton(this, "Button4", {272, 448, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "About"));
  BitBtn4 = MakeButton(this, "BitBtn4", {552, 440, 75, 25}, QT_TRANSLATE_NOOP("TForm1", "保存"));
  BitBtn3->setAccessibleName(Role(QT_TRANSLATE_NOOP("TForm1Role", "ページファイルの読み込み")));
  BitBtn4->setAccessibleName(Role(QT_TRANSLATE_NOOP("TForm1Role", "ページファイルの保存")));
}

void TForm1::SetTabOrder() {
  const QWidget* order[] = {Edit1,   Edit6, BitBtn1, BitBtn2, Edit7,   Edit3,
                            Edit2,   Edit4, Edit5,   Edit8,   Button1, Edit10,
                            Button3, Edit9, Button2, BitBtn3, BitBtn4, Button4};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
}

void TForm1::ConnectHandlers() {
  Edit1->SetOnChange([this](TEdit&) { Edit1Change(); });
  Edit7->SetOnChange([this](TEdit&) { Edit7Change(); });
  UpDown1->SetOnClick([this](TUpDown&, TUDBtnType) { UpDown1Click(); });
  UpDown2->SetOnClick([this](TUpDown&, TUDBtnType) { UpDown2Click(); });
  const std::pair<QPushButton*, void (TForm1::*)()> buttons[] = {
      {BitBtn1, &TForm1::BitBtn1Click}, {BitBtn2, &TForm1::BitBtn2Click},
      {Button1, &TForm1::Button1Click}, {Button3, &TForm1::Button3Click},
      {Button2, &TForm1::Button2Click}, {BitBtn3, &TForm1::BitBtn3Click},
      {Button4, &TForm1::Button4Click}, {BitBtn4, &TForm1::BitBtn4Click}};
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this,
            Guarded([this, handler = handler] { (this->*handler)(); }));
  }
}

void TForm1::ShowCentred() {
  show();
  if (centred_) return;
  centred_ = true;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(PlaceOnScreen(area, frameGeometry().size()));
}

void TForm1::closeEvent(QCloseEvent* event) {
  RunGuarded([this] { FormCloseQuery(); });
  event->accept();
}

// Handlers.

void TForm1::FormCreate() {
  page_ = std::make_unique<TPage>();
  page_->AddListener(this);
  editedPage_ = std::make_unique<TEditedPage>(*page_);
}

int32_t TForm1::SelectByField(TEdit& field, TUpDown& upDown, int32_t current) {
  const int32_t remembered = current;
  try {
    current = std::clamp(StrToInt(field.Text()), kLowestNumber, kHighestNumber);
    upDown.SetPosition(static_cast<int16_t>(current));
  } catch (const Exception&) {
    // A text that isn't a number puts the previous number back, without an error box.
    current = remembered;
    upDown.SetPosition(static_cast<int16_t>(current));
  }
  return current;
}

void TForm1::Edit1Change() {
  const OwnChange own(*this);
  page_->SelectSlot(SelectByField(*Edit1, *UpDown1, page_->CurrentSlot()));
  Edit1->SetText(IntToStr(page_->CurrentSlot()));
  RefreshSlotView();
}

void TForm1::UpDown1Click() {
  const OwnChange own(*this);
  page_->SelectSlot(UpDown1->Position());
  Edit1->SetText(IntToStr(page_->CurrentSlot()));
}

void TForm1::BitBtn1Click() {
  if (!OpenDialog1.Execute()) return;
  const OwnChange own(*this);
  ImportSlotFile(page_->CurrentSlot(), OpenDialog1.FileName());
}

void TForm1::BitBtn2Click() {
  const OwnChange own(*this);
  page_->ClearSlot();
  Image1->SetPicture(nullptr);
  Edit6->SetText("");
}

void TForm1::Edit7Change() {
  const OwnChange own(*this);
  page_->SelectLink(SelectByField(*Edit7, *UpDown2, page_->CurrentLink()));
  Edit7->SetText(IntToStr(page_->CurrentLink()));
  RefreshLinkView();
}

void TForm1::UpDown2Click() {
  const OwnChange own(*this);
  page_->SelectLink(UpDown2->Position());
  Edit7->SetText(IntToStr(page_->CurrentLink()));
}

void TForm1::Button3Click() {
  const OwnChange own(*this);
  UpdateLink(*page_, page_->CurrentLink(),
             TLinkFieldTexts{.left = Edit2->Text(),
                             .top = Edit3->Text(),
                             .right = Edit4->Text(),
                             .bottom = Edit5->Text(),
                             .bitmap = Edit8->Text(),
                             .linkPage = Edit10->Text()});
}

void TForm1::Button1Click() {
  const OwnChange own(*this);
  page_->ClearLink();
}

void TForm1::Button2Click() {
  if (!OpenDialog1.Execute()) return;
  const OwnChange own(*this);
  ImportBackgroundFile(OpenDialog1.FileName());
}

void TForm1::BitBtn3Click() {
  if (!OpenDialog2.Execute()) return;
  const OwnChange own(*this);
  LoadPageFile(OpenDialog2.FileName());
}

void TForm1::BitBtn4Click() { SaveWithDialog(); }

bool TForm1::SaveWithDialog() {
  if (!SaveDialog1.Execute()) return false;
  const OwnChange own(*this);
  TWaitCursor waiting;
  WritePageFile(*page_, SaveDialog1.FileName());
  editedPage_->Saved(SaveDialog1.FileName());
  return true;
}

void TForm1::Button4Click() {
  if (aboutBox_) aboutBox_->ShowModal();
}

void TForm1::FormCloseQuery() {
  const OwnChange own(*this);
  page_->FreeHolders();
}

void TForm1::FilesDropped(const std::vector<std::string>& files, TDropArea area) {
  const OwnChange own(*this);
  int32_t nextSlot = page_->CurrentSlot();
  for (const std::string& fileName : files) {
    switch (UseOfDroppedFile(fileName, area)) {
      case TDroppedFileUse::SlotPicture:
        if (nextSlot > kHighestNumber) break;  // slot 255 is the last one
        ImportSlotFile(nextSlot++, fileName);
        break;
      case TDroppedFileUse::BackgroundPicture:
        ImportBackgroundFile(fileName);
        break;
      case TDroppedFileUse::PageFile:
        LoadPageFile(fileName);
        nextSlot = page_->CurrentSlot();
        break;
      case TDroppedFileUse::Ignored:
        break;
    }
  }
}

TDropArea TForm1::DropAreaAt(QPoint point) const {
  if (Panel1->geometry().contains(point)) return TDropArea::Slot;
  if (Panel3->geometry().contains(point)) return TDropArea::Background;
  return TDropArea::Elsewhere;
}

void TForm1::OpenAtStart(const std::string& fileName) {
  RunGuarded([this, &fileName] { OpenPageFile(fileName); });
}

void TForm1::OpenPageFile(const std::string& fileName) {
  const OwnChange own(*this);
  LoadPageFile(fileName);
}

// Dragged files.

void TForm1::ExamineDrag(const QMimeData* data) {
  const std::vector<std::string> files = DraggedFiles(data);
  for (const TDropArea area : {TDropArea::Slot, TDropArea::Background, TDropArea::Elsewhere}) {
    dragTakenIn_[static_cast<size_t>(area)] =
        std::any_of(files.begin(), files.end(), [area](const std::string& file) {
          return UseOfDroppedFile(file, area) != TDroppedFileUse::Ignored;
        });
  }
}

bool TForm1::TakesDragAt(QPoint point) const {
  return dragTakenIn_[static_cast<size_t>(DropAreaAt(point))];
}

void TForm1::DropAt(const QMimeData* data, QPoint point) {
  const std::vector<std::string> files = DraggedFiles(data);
  const TDropArea area = DropAreaAt(point);
  RunGuarded([this, &files, area] { FilesDropped(files, area); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  RunGuarded([this, event] {
    ExamineDrag(event->mimeData());
    if (TakesDragAt(event->position().toPoint())) event->acceptProposedAction();
  });
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (TakesDragAt(event->position().toPoint())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  DropAt(event->mimeData(), event->position().toPoint());
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  auto* field = qobject_cast<QWidget*>(watched);
  if (field == nullptr || DraggedFiles(drop->mimeData()).empty()) return false;
  const QPoint point = field->mapTo(this, drop->position().toPoint());
  if (type == QEvent::DragEnter) {
    RunGuarded([this, drop] { ExamineDrag(drop->mimeData()); });
  }
  if (!TakesDragAt(point)) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (type == QEvent::Drop) DropAt(drop->mimeData(), point);
  return true;
}

// The imports and the load.

void TForm1::ImportSlotFile(int32_t slot, const std::string& fileName) {
  const TBitmap picture = ImportSlotPicture(*page_, slot, fileName);
  // Selects the slot, as typing its number does, when it isn't the current one.
  Edit1->SetText(IntToStr(slot));
  Image1->SetPicture(&picture);
  Edit6->SetText(fileName);
}

void TForm1::ImportBackgroundFile(const std::string& fileName) {
  const TBitmap picture = ImportBackgroundPicture(*page_, fileName);
  Image2->SetPicture(&picture);
  Edit9->SetText(fileName);
}

void TForm1::LoadPageFile(const std::string& fileName) {
  TWaitCursor waiting;
  ReadPageFile(*page_, fileName, this);
  editedPage_->Loaded(fileName);
}

// What a load has brought.

void TForm1::BackgroundRead() {
  ShowBackground();
  Image2->Refresh();
}

void TForm1::SlotsRead() {
  Edit1->SetText("0");
  Edit1Change();  // directly: slot 0 is shown whether or not the field showed 0 already
}

void TForm1::LinksRead() {
  Edit7->SetText("0");
  RefreshLinkView();
}

// What other views change.

void TForm1::SlotChanged(int32_t slot) {
  if (!HearsOwnChange() && slot == page_->CurrentSlot()) RefreshSlotView();
}

void TForm1::BackgroundChanged() {
  if (HearsOwnChange()) return;
  ShowBackground();
  Edit9->SetText(page_->BackgroundFileName());
}

void TForm1::LinkChanged(int32_t link) {
  if (!HearsOwnChange() && link == page_->CurrentLink()) RefreshLinkView();
}

// The number fields follow a selection made elsewhere as if the author had typed the number.
void TForm1::SlotSelected(int32_t slot) {
  if (!HearsOwnChange()) Edit1->SetText(IntToStr(slot));
}

void TForm1::LinkSelected(int32_t link) {
  if (!HearsOwnChange()) Edit7->SetText(IntToStr(link));
}

void TForm1::PageReplaced() {
  if (HearsOwnChange()) return;
  ShowBackground();
  SlotsRead();
  LinksRead();
}

// Views.

void TForm1::ShowBackground() {
  TJPEGImage& holder = page_->BackgroundHolder();
  if (holder.IsEmpty()) {
    Image2->SetPicture(nullptr);
    return;
  }
  const TBitmap bitmap = ShownPicture(holder);
  Image2->SetPicture(&bitmap);
}

void TForm1::RefreshSlotView() {
  Image1->SetPicture(nullptr);
  Edit6->SetText("");
  const int32_t slot = page_->CurrentSlot();
  TJPEGImage& holder = page_->SlotHolder(slot);
  if (holder.IsEmpty()) return;
  Edit6->SetText(page_->SlotFileName(slot));
  const TBitmap bitmap = ShownPicture(holder);
  Image1->SetPicture(&bitmap);
}

void TForm1::RefreshLinkView() {
  const TLinkRecord& link = page_->Link(page_->CurrentLink());
  Edit2->SetText(IntToStr(link.Left));
  Edit3->SetText(IntToStr(link.Top));
  Edit4->SetText(IntToStr(link.Right));
  Edit5->SetText(IntToStr(link.Bottom));
  Edit8->SetText(IntToStr(link.Bitmap));
  Edit10->SetText(IntToStr(link.LinkPage));
}

}  // namespace pm
