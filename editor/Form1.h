// TForm1: the main window and the whole editor. The author picks an image slot and imports a BMP
// file into it, picks a link record and types its values, imports the background, and loads and
// saves page files. Every handler runs inside the event guard.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "editor/Edit.h"
#include "editor/FileDialog.h"
#include "editor/FileDrop.h"
#include "editor/Image.h"
#include "editor/Panel.h"
#include "editor/UpDown.h"
#include "page/PageFile.h"

namespace pm {

class TDocumentWindowOpener;
class TEditedPage;
class TForm2;
class TPageFiles;
class TPageViewOpener;

inline constexpr const char* kMainWindowCaption =
    QT_TRANSLATE_NOOP("TForm1", "もけぽんたす ページメーカー");
inline constexpr int kMainClientWidth = 640;
inline constexpr int kMainClientHeight = 480;

class TForm1 : public QWidget, private TPageFileListener, private TPageListener {
 public:
  TForm1();
  ~TForm1() override;

  // The About box that Button4Click shows.
  void SetAboutBox(TForm2* aboutBox) { aboutBox_ = aboutBox; }
  const TPage& Page() const { return *page_; }
  TPage& Page() { return *page_; }
  // Which file and document the page belongs to, and whether it has unsaved changes.
  TEditedPage& EditedPage() { return *editedPage_; }
  // Saving the page to its own file and leaving unsaved changes (PageFiles.h).
  TPageFiles& PageFiles() { return *pageFiles_; }
  // Opens the page view (PageViewOpener.h).
  TPageViewOpener& PageViewOpener() { return *pageViewOpener_; }
  // Opens the document window and moves between the document's pages
  // (document/DocumentWindowOpener.h).
  TDocumentWindowOpener& DocumentWindowOpener() { return *documentWindowOpener_; }

  // Shows the window, centred on the primary screen at its first showing.
  void ShowCentred();

  // The handlers, for the events of the controls; each may also be called directly.
  void FormCreate();
  void Edit1Change();
  void UpDown1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Edit7Change();
  void UpDown2Click();
  void Button3Click();
  void Button1Click();
  void Button2Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void Button4Click();
  void FormCloseQuery();

  // Files dropped on the window, in their order (see FileDrop.h for what each becomes): pictures
  // dropped on the slot panel fill the current slot and the ones after it up to slot 255, the
  // slot number showing the last one filled; a picture dropped on the background panel becomes
  // the background; a page file loads as the lower "読み込み" loads it. The first failure ends
  // the drop.
  void FilesDropped(const std::vector<std::string>& files, TDropArea area);
  // The part of the window at a point in its client area.
  TDropArea DropAreaAt(QPoint point) const;
  // The page file named on the command line, loaded as the lower "読み込み" loads it, inside the
  // event guard: a failure shows the error box and leaves the new page.
  void OpenAtStart(const std::string& fileName);
  // Loads a page file as the lower "読み込み" does once its dialog has given the name: all of it
  // or, on a failure, which goes on to the caller, nothing.
  void OpenPageFile(const std::string& fileName);
  // Saves as "保存" does: the dialog, then the page file under the name chosen. False when the
  // dialog was cancelled.
  bool SaveWithDialog();

  // The controls, named as in the layout.
  TPanel* Panel1;
  TEdit* Edit1;
  TUpDown* UpDown1;
  QLabel* Label1;
  QLabel* Label6;
  TEdit* Edit6;
  QPushButton* BitBtn2;
  TImage* Image1;
  QPushButton* BitBtn1;
  TPanel* Panel2;
  TEdit* Edit7;
  TUpDown* UpDown2;
  QLabel* Label7;
  QPushButton* Button1;
  QLabel* Label11;
  TEdit* Edit10;
  QLabel* Label2;
  TEdit* Edit2;
  QLabel* Label4;
  TEdit* Edit4;
  QLabel* Label3;
  TEdit* Edit3;
  QLabel* Label5;
  TEdit* Edit5;
  QPushButton* Button3;
  QLabel* Label8;
  TEdit* Edit8;
  TPanel* Panel3;
  QLabel* Label9;
  QLabel* Label10;
  TEdit* Edit9;
  QPushButton* Button2;
  TImage* Image2;
  QPushButton* BitBtn3;
  QPushButton* Button4;
  QPushButton* BitBtn4;

  TFileDialog OpenDialog1;
  TFileDialog SaveDialog1;
  TFileDialog OpenDialog2;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The fields take dragged text as they always did; dragged files go to the window.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TPageFileListener: the window shows what a load has brought.
  void BackgroundRead() override;
  void SlotsRead() override;
  void LinksRead() override;

  // TPageListener: the window follows what other views change in the page. Changes that the
  // window's own handlers make are shown by the handlers themselves, as they always were.
  void SlotChanged(int32_t slot) override;
  void BackgroundChanged() override;
  void LinkChanged(int32_t link) override;
  void SlotSelected(int32_t slot) override;
  void LinkSelected(int32_t link) override;
  void PageReplaced() override;

  // While one lives, the page's notices come from the window's own handlers.
  class OwnChange {
   public:
    explicit OwnChange(TForm1& window) : window_(window) { ++window_.ownChanges_; }
    ~OwnChange() { --window_.ownChanges_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

   private:
    TForm1& window_;
  };
  bool HearsOwnChange() const { return ownChanges_ > 0; }

  void CreateControls();
  void SetTabOrder();
  void ConnectHandlers();

  void RefreshSlotView();
  void RefreshLinkView();
  // Steps 1 to 4 of a number field's change: the number shown becomes the selection, limited to
  // 0 to 255; a text that isn't a number puts the previous one back.
  int32_t SelectByField(TEdit& field, TUpDown& upDown, int32_t current);
  void ShowBackground();

  // The imports and the load that the buttons and dropped files share.
  void ImportSlotFile(int32_t slot, const std::string& fileName);
  void ImportBackgroundFile(const std::string& fileName);
  void LoadPageFile(const std::string& fileName);

  // Whether the files of the drag now under way would do anything in each area, found out once
  // when the drag enters.
  void ExamineDrag(const QMimeData* data);
  bool TakesDragAt(QPoint point) const;
  void DropAt(const QMimeData* data, QPoint point);

  std::unique_ptr<TPage> page_;
  std::unique_ptr<TEditedPage> editedPage_;
  std::unique_ptr<TPageFiles> pageFiles_;
  TForm2* aboutBox_ = nullptr;
  bool centred_ = false;
  int ownChanges_ = 0;
  std::array<bool, 3> dragTakenIn_{};  // by TDropArea
  // Last, so that the page view goes before the page.
  std::unique_ptr<TPageViewOpener> pageViewOpener_;
  std::unique_ptr<TDocumentWindowOpener> documentWindowOpener_;
};

}  // namespace pm
