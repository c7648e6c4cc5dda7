<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>FindingText</name>
    <message>
        <source>矩形 %1, %2, %3, %4</source>
        <translation>rectangle %1, %2, %3, %4</translation>
    </message>
    <message>
        <source>%1 は右が左より、下が上より小さくなっています</source>
        <translation>%1 has its right edge left of its left edge and its bottom above its top</translation>
    </message>
    <message>
        <source>%1 は右が左より小さくなっています</source>
        <translation>%1 has its right edge left of its left edge</translation>
    </message>
    <message>
        <source>%1 は下が上より小さくなっています</source>
        <translation>%1 has its bottom edge above its top edge</translation>
    </message>
    <message>
        <source>%1 がありますが、このページには背景がありません</source>
        <translation>%1 is set, but this page has no background</translation>
    </message>
    <message>
        <source>背景 (%1 × %2)</source>
        <translation>the background (%1 × %2)</translation>
    </message>
    <message>
        <source>%1 の一部が%2 の外にあります</source>
        <translation>%1 lies partly outside %2</translation>
    </message>
    <message>
        <source>%1 の全体が%2 の外にあります</source>
        <translation>%1 lies wholly outside %2</translation>
    </message>
    <message>
        <source>スロット %1 を指していますが、スロットは 0 から 255 までです</source>
        <translation>names slot %1, but slots run from 0 to 255</translation>
    </message>
    <message>
        <source>スロット %1 を指していますが、そのスロットは空です</source>
        <translation>names slot %1, which is empty</translation>
    </message>
    <message>
        <source>ページ %1, リンク %2</source>
        <translation>Page %1, link %2</translation>
    </message>
    <message>
        <source>ページ %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>読み込めません: %1</source>
        <translation>cannot be loaded: %1</translation>
    </message>
    <message>
        <source>矩形がありますが、行き先のページがありません</source>
        <translation>has a rectangle but no link page</translation>
    </message>
    <message>
        <source>行き先のページ %1 のファイルがありません</source>
        <translation>the file of its link page %1 does not exist</translation>
    </message>
    <message>
        <source>開始ページ %1 からリンクをたどっても来られません</source>
        <translation>no chain of links from the start page %1 reaches it</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>ストリームからの読み込みエラー</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>ストリームへの書き込みエラー</source>
        <translation>Stream write error</translation>
    </message>
    <message>
        <source>ファイル %s は開けません</source>
        <translation>Cannot open file %s</translation>
    </message>
    <message>
        <source>ファイル %s を作成できません</source>
        <translation>Cannot create file %s</translation>
    </message>
    <message>
        <source>メモリストリームの拡大中にメモリが足りなくなりました</source>
        <translation>Out of memory while expanding memory stream</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>'%s' は整数ではありません</source>
        <translation>'%s' is not a valid integer value</translation>
    </message>
    <message>
        <source>メモリを確保できません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>JPEG エラー #%d</source>
        <translation>JPEG error #%d</translation>
    </message>
    <message>
        <source>JPEG イメージのサイズは変更できません</source>
        <translation>Cannot change the size of a JPEG image</translation>
    </message>
    <message>
        <source>画像フォーマットが不正です</source>
        <translation>Invalid pixel format</translation>
    </message>
    <message>
        <source>ビットマップイメージが不正です</source>
        <translation>Bitmap image is not valid</translation>
    </message>
    <message>
        <source>スキャンライン のインデックスが範囲を越えました</source>
        <translation>Scan line index out of range</translation>
    </message>
    <message>
        <source>内部エラー: %s</source>
        <translation>Internal error: %s</translation>
    </message>
    <message>
        <source>不明なエラーが発生しました</source>
        <translation>An unknown error occurred</translation>
    </message>
    <message>
        <source>システムエラー。コード：%d.<byte value="xd"/>
%m</source>
        <translation>System error. Code: %d.<byte value="xd"/>
%m</translation>
    </message>
</context>
<context>
    <name>PageDrag</name>
    <message>
        <source>ページ %1</source>
        <translation>Page %1</translation>
    </message>
</context>
<context>
    <name>TDocumentMap</name>
    <message>
        <source>ページ %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>地図</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>%1 本</source>
        <translation>%1 links</translation>
    </message>
    <message>
        <source>ファイルなし</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>load failed</translation>
    </message>
    <message>
        <source>はじめ</source>
        <translation>start</translation>
    </message>
    <message>
        <source>編集中</source>
        <translation>editing</translation>
    </message>
    <message>
        <source>辿れません</source>
        <translation>unreachable</translation>
    </message>
    <message>
        <source>問題 %1</source>
        <translation>%1 problems</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>*.bmp|*.bmp|*.*|*.*|画像ファイル (*.bmp *.png *.jpg *.jpeg *.gif *.webp)|*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp</source>
        <translation>*.bmp|*.bmp|*.*|*.*|Picture files (*.bmp *.png *.jpg *.jpeg *.gif *.webp)|*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp</translation>
    </message>
    <message>
        <source>番ビットマップ</source>
        <translation>bitmap</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>番リンク</source>
        <translation>link</translation>
    </message>
    <message>
        <source>リンクページ</source>
        <translation>Link page</translation>
    </message>
    <message>
        <source>左</source>
        <translation>L</translation>
    </message>
    <message>
        <source>右</source>
        <translation>R</translation>
    </message>
    <message>
        <source>上</source>
        <translation>T</translation>
    </message>
    <message>
        <source>下</source>
        <translation>B</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>ビットマップ</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>BG</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>もけぽんたす ページメーカー</source>
        <translation>Mokepontasu Page Maker</translation>
    </message>
</context>
<context>
    <name>TForm1Role</name>
    <message>
        <source>スロット</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>スロット番号</source>
        <translation>Slot number</translation>
    </message>
    <message>
        <source>スロット番号の増減</source>
        <translation>Slot number up and down</translation>
    </message>
    <message>
        <source>スロットのファイル</source>
        <translation>Slot file</translation>
    </message>
    <message>
        <source>スロットの画像</source>
        <translation>Slot picture</translation>
    </message>
    <message>
        <source>リンク</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>リンク番号</source>
        <translation>Link number</translation>
    </message>
    <message>
        <source>リンク番号の増減</source>
        <translation>Link number up and down</translation>
    </message>
    <message>
        <source>リンクページ</source>
        <translation>Link page</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>ビットマップ</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>背景のファイル</source>
        <translation>Background file</translation>
    </message>
    <message>
        <source>背景の画像</source>
        <translation>Background picture</translation>
    </message>
    <message>
        <source>ページファイルの読み込み</source>
        <translation>Load page file</translation>
    </message>
    <message>
        <source>ページファイルの保存</source>
        <translation>Save page file</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>もけぽんたす</source>
        <translation>Mokepontasu</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>もけぽんたす Version 0.02</source>
        <translation>Mokepontasu Version 0.02</translation>
    </message>
    <message>
        <source>BMP の絵とリンクで作る 1 ページの編集</source>
        <translation>One page of BMP pictures and links at a time</translation>
    </message>
</context>
<context>
    <name>TLinkEditCommand</name>
    <message>
        <source>リンク %1 の描画</source>
        <translation>drawing link %1</translation>
    </message>
    <message>
        <source>リンク %1 の移動</source>
        <translation>moving link %1</translation>
    </message>
    <message>
        <source>リンク %1 の大きさの変更</source>
        <translation>resizing link %1</translation>
    </message>
    <message>
        <source>リンク %1 の削除</source>
        <translation>deleting link %1</translation>
    </message>
    <message>
        <source>リンク %1 の行き先の変更</source>
        <translation>changing the link page of link %1</translation>
    </message>
</context>
<context>
    <name>TPageCanvas</name>
    <message>
        <source>リンク %1 には矩形がありません</source>
        <translation>Link %1 has no rectangle</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>すべてのリンクに矩形があります。新しい矩形は描けません</source>
        <translation>Every link has a rectangle: no new rectangle can be drawn</translation>
    </message>
</context>
<context>
    <name>TPageFiles</name>
    <message>
        <source>ページ %1 (%2)</source>
        <translation>page %1 (%2)</translation>
    </message>
    <message>
        <source>上書き保存	Ctrl+S</source>
        <translation>Save	Ctrl+S</translation>
    </message>
    <message>
        <source>%1 の変更を保存しますか？</source>
        <translation>Save the changes of %1?</translation>
    </message>
    <message>
        <source>新しいページ</source>
        <translation>the new page</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存しない</source>
        <translation>Don't Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ファイル %1 は、このエディタが読み込んだか保存した後に、ほかのプログラムによって変更されています。上書きしますか？</source>
        <translation>The file %1 has been changed by another program since this editor loaded or saved it. Overwrite it?</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>Overwrite</translation>
    </message>
</context>
<context>
    <name>TPageView</name>
    <message>
        <source>リンク %1: </source>
        <translation>Link %1: </translation>
    </message>
    <message>
        <source>左 %1, 上 %2, 右 %3, 下 %4 (%5 × %6)</source>
        <translation>left %1, top %2, right %3, bottom %4 (%5 × %6)</translation>
    </message>
    <message>
        <source>矩形なし</source>
        <translation>no rectangle</translation>
    </message>
    <message>
        <source>, リンクページ %1, スロット %2</source>
        <translation>, link page %1, slot %2</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>スロット画像</source>
        <translation>Slot Pictures</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>リンク %1 はほかの場所で変更されたため、この手順は元に戻せません</source>
        <translation>Link %1 was changed elsewhere: this step can't be undone</translation>
    </message>
    <message>
        <source>ページ表示</source>
        <translation>Page View</translation>
    </message>
</context>
<context>
    <name>TPageViewOpener</name>
    <message>
        <source>ページ表示を開く	Ctrl+L</source>
        <translation>Open Page View	Ctrl+L</translation>
    </message>
    <message>
        <source>ダブルクリックでページ表示を開きます (Ctrl+L)</source>
        <translation>Double-click to open the page view (Ctrl+L)</translation>
    </message>
</context>
<context>
    <name>TRecoveryDialog</name>
    <message>
        <source>次のページの変更は、エディタが終わったときに保存されていませんでした。ページを選んで「復元」を押すと、その変更を編集できます。「あとで」を押すと、次に起動したときにもう一度表示します。</source>
        <translation>The changes of these pages were not saved when the editor ended. Choose a page and press "Restore" to go on editing its changes. "Later" shows them again at the next start.</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>変更の時刻</source>
        <translation>Changed at</translation>
    </message>
    <message>
        <source>保存されていない変更があります</source>
        <translation>There are unsaved changes</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>破棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>あとで</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>TRecoveryKeeper</name>
    <message>
        <source>保存されていない変更の復旧用コピーを書き込めません。このエディタが終わると、保存されていない変更は失われます: %1</source>
        <translation>Cannot write the recovery copy of the unsaved changes. When this editor ends, the unsaved changes are lost: %1</translation>
    </message>
</context>
<context>
    <name>TRecoveryOffer</name>
    <message>
        <source>新しいページ</source>
        <translation>New page</translation>
    </message>
    <message>
        <source>ページ %1 (%2)</source>
        <translation>Page %1 (%2)</translation>
    </message>
</context>
<context>
    <name>pm::SiteFailureText</name>
    <message>
        <source>フォルダー %1 には、このドキュメントのページファイルがあります。Webサイトはページファイルとは別のフォルダーに書き出してください</source>
        <translation>The folder %1 holds the page files of this document. Publish the web site into a folder of its own</translation>
    </message>
    <message>
        <source>フォルダー %1 の %2 は、Webサイトとして書き出されたファイルではありませんが、Webサイトのファイルと同じ名前です。Webサイトはこのファイルを上書きしません。別のフォルダーを選ぶか、このファイルを移してください</source>
        <translation>%2 in the folder %1 was not written by a web site but has the name of one of its files. The web site never overwrites it: choose another folder or move the file</translation>
    </message>
    <message>
        <source>フォルダー %1 に、Webサイトとして書き出されたものではないファイル %2 があります。Webサイトは書き出していません</source>
        <translation>The folder %1 holds %2, which no web site wrote. The web site was not published</translation>
    </message>
    <message>
        <source>フォルダー %1 には、ほかのプログラムがWebサイトを書き出しています。しばらくしてから、もう一度書き出してください</source>
        <translation>Another program is publishing a web site into the folder %1. Try again in a moment</translation>
    </message>
    <message>
        <source>ページファイル %1 を読み込めないため、Webサイトを書き出せませんでした: %2</source>
        <translation>The web site could not be published because the page file %1 cannot be loaded: %2</translation>
    </message>
    <message>
        <source>ドキュメントを読み込めないため、Webサイトを書き出せませんでした: %1</source>
        <translation>The web site could not be published because the document cannot be read: %1</translation>
    </message>
    <message>
        <source>Webサイトを書き出せませんでした: %1</source>
        <translation>The web site could not be published: %1</translation>
    </message>
</context>
<context>
    <name>pm::TDocumentMap</name>
    <message>
        <source>ページ %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>はじめのページ</source>
        <translation>the start page</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>no file</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>cannot be loaded</translation>
    </message>
    <message>
        <source>はじめのページから辿れません</source>
        <translation>not reachable from the start page</translation>
    </message>
    <message>
        <source>問題 %1 件</source>
        <translation>%1 problems</translation>
    </message>
</context>
<context>
    <name>pm::TDocumentReader</name>
    <message>
        <source>ドキュメントを読めませんでした</source>
        <translation>The document could not be read</translation>
    </message>
</context>
<context>
    <name>pm::TDocumentWindow</name>
    <message>
        <source>読み込み中… %1 / %2 ページ</source>
        <translation>Reading… %1 / %2 pages</translation>
    </message>
    <message>
        <source>再読み込み</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>ドキュメント</source>
        <translation>Document</translation>
    </message>
    <message>
        <source> — %1</source>
        <translation> — %1</translation>
    </message>
    <message>
        <source>読み込み中…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>%1 ページ、問題 %2 件</source>
        <translation>%1 pages, %2 problems</translation>
    </message>
    <message>
        <source>ドキュメント %1 にはまだページファイルがありません。ページを保存すると、ここに表示されます。</source>
        <translation>The document %1 has no page files yet. Save the page and it shows here.</translation>
    </message>
    <message>
        <source>ドキュメントを読み込めません: %1</source>
        <translation>Cannot read the document: %1</translation>
    </message>
    <message>
        <source>ページ %1  %2</source>
        <translation>Page %1  %2</translation>
    </message>
    <message>
        <source>%1  ⚠</source>
        <comment>the row of a page with findings</comment>
        <translation>%1  ⚠</translation>
    </message>
    <message>
        <source>問題 %1 件</source>
        <translation>%1 problems</translation>
    </message>
    <message>
        <source>問題はありません</source>
        <translation>No problems</translation>
    </message>
    <message>
        <source>ページ一覧</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>このページはどのドキュメントにも属していません。

ページファイルを page3.pag のように番号で終わる名前で保存するか読み込むと、その番号のページとして、同じ名前の並びのページファイルすべてがここに表示されます。</source>
        <translation>This page belongs to no document.

Save or load it under a name that ends in a number, like page3.pag: it is then that page of its document, and every page file named the same way shows here.</translation>
    </message>
</context>
<context>
    <name>pm::TDocumentWindowOpener</name>
    <message>
        <source>ドキュメントを開く	Ctrl+D</source>
        <translation>Open Document	Ctrl+D</translation>
    </message>
</context>
<context>
    <name>pm::TLinkTargetDialog</name>
    <message>
        <source>リンク %1 の行き先のページを選んでください</source>
        <translation>Choose the page that link %1 leads to</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ページを読み込んでいます…</source>
        <translation>Reading the pages…</translation>
    </message>
    <message>
        <source>ページを読み込めません: %1</source>
        <translation>Cannot read the pages: %1</translation>
    </message>
    <message>
        <source>ページ %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>リンク先</source>
        <translation>Link Target</translation>
    </message>
</context>
<context>
    <name>pm::TPageNavigator</name>
    <message>
        <source>ページ %1 はありません</source>
        <translation>There is no page %1</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ページ %1 はまだありません。新しいページを作りますか？</source>
        <translation>Page %1 does not exist yet. Start a new page?</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>このページはどのドキュメントにも属していません</source>
        <translation>This page belongs to no document</translation>
    </message>
    <message>
        <source>リンク %1 には行き先のページがありません</source>
        <translation>Link %1 has no link page</translation>
    </message>
</context>
<context>
    <name>pm::TPageViewLinks</name>
    <message>
        <source>戻る	Alt+Left</source>
        <translation>Back	Alt+Left</translation>
    </message>
    <message>
        <source>進む	Alt+Right</source>
        <translation>Forward	Alt+Right</translation>
    </message>
    <message>
        <source>移動(&amp;G)</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>リンク %1 の行き先をページ %2 にします</source>
        <translation>Link %1 now leads to page %2</translation>
    </message>
    <message>
        <source>リンク先のページを開く	Ctrl+Return</source>
        <translation>Open Link Target	Ctrl+Return</translation>
    </message>
    <message>
        <source>リンク先を選ぶ…</source>
        <translation>Choose Link Target…</translation>
    </message>
</context>
<context>
    <name>pm::TReadingMode</name>
    <message>
        <source>閲覧中のページ</source>
        <translation>Page being read</translation>
    </message>
    <message>
        <source>閲覧: 読者が見るとおりにページを表示します (F5)</source>
        <translation>Read: show the page as a reader sees it (F5)</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>閲覧を終える</source>
        <translation>Stop Reading</translation>
    </message>
    <message>
        <source>閲覧(&amp;R)</source>
        <translation>&amp;Read</translation>
    </message>
    <message>
        <source>リンク %1: 行き先がありません</source>
        <translation>Link %1: leads nowhere</translation>
    </message>
    <message>
        <source>リンク %1 → ページ %2</source>
        <translation>Link %1 → page %2</translation>
    </message>
    <message>
        <source>リンク %1 → ページ %2: このページはドキュメントに属していません</source>
        <translation>Link %1 → page %2: this page belongs to no document</translation>
    </message>
    <message>
        <source>リンク %1 → ページ %2: このページはありません</source>
        <translation>Link %1 → page %2: there is no such page</translation>
    </message>
    <message>
        <source>このページはどのドキュメントにも属していないため、リンクの行き先はありません</source>
        <translation>This page belongs to no document, so its links lead nowhere</translation>
    </message>
    <message>
        <source>リンク %1 には行き先がありません</source>
        <translation>Link %1 leads nowhere</translation>
    </message>
    <message>
        <source> — 編集中のページ (保存していない変更を含む)</source>
        <translation> — the page being edited (with unsaved changes)</translation>
    </message>
    <message>
        <source> — 編集中のページ</source>
        <translation> — the page being edited</translation>
    </message>
    <message>
        <source> — どのドキュメントにも属していないため、リンクの行き先はありません</source>
        <translation> — it belongs to no document, so its links lead nowhere</translation>
    </message>
    <message>
        <source> — 背景がないため、リンクは表示されません</source>
        <translation> — it has no background, so no links are shown</translation>
    </message>
    <message>
        <source>閲覧</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>はじめのページから閲覧</source>
        <translation>Read from the Start Page</translation>
    </message>
    <message>
        <source>このページを編集	Ctrl+E</source>
        <translation>Edit This Page	Ctrl+E</translation>
    </message>
    <message>
        <source>ページ %1 はありません</source>
        <translation>There is no page %1</translation>
    </message>
    <message>
        <source>閲覧中: %1</source>
        <translation>Reading: %1</translation>
    </message>
</context>
<context>
    <name>pm::TSiteProgressBox</name>
    <message>
        <source>書き出し先: %1</source>
        <translation>Into: %1</translation>
    </message>
    <message>
        <source>ページファイルを調べています…</source>
        <translation>Looking at the page files…</translation>
    </message>
    <message>
        <source>Webサイトとして書き出す</source>
        <translation>Publish as a Web Site</translation>
    </message>
    <message>
        <source>ページ %1 / %2 を書き出しています…</source>
        <translation>Writing page %1 of %2…</translation>
    </message>
    <message>
        <source>地図を描いています…</source>
        <translation>Drawing the map…</translation>
    </message>
    <message>
        <source>キャンセルしています…</source>
        <translation>Cancelling…</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>pm::TSitePublisher</name>
    <message>
        <source>このページはどのドキュメントにも属していません</source>
        <translation>This page belongs to no document</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Graphviz の dot が見つからないので、地図はページの一覧にしました。</source>
        <translation>Graphviz's dot was not found, so the map is a list of the pages.</translation>
    </message>
    <message>
        <source>dot が地図を描けなかったので、地図はページの一覧にしました。</source>
        <translation>dot could not draw the map, so the map is a list of the pages.</translation>
    </message>
    <message>
        <source>dot が地図を描くのに時間がかかりすぎたので、地図はページの一覧にしました。</source>
        <translation>dot took too long to draw the map, so the map is a list of the pages.</translation>
    </message>
    <message>
        <source>ブラウザで %1 を開けませんでした</source>
        <translation>Could not open %1 in the browser</translation>
    </message>
    <message>
        <source>Webサイトとして書き出す…</source>
        <translation>Publish as Web Site…</translation>
    </message>
    <message>
        <source>%1 には保存されていない変更があります。Webサイトはページファイルから書き出すので、この変更は含まれません。先に保存しますか？</source>
        <translation>%1 has unsaved changes. The web site is made from the page files, so it won't include them. Save first?</translation>
    </message>
    <message>
        <source>保存して書き出す</source>
        <translation>Save and Publish</translation>
    </message>
    <message>
        <source>保存せずに書き出す</source>
        <translation>Publish Without Saving</translation>
    </message>
    <message>
        <source>フォルダー %1 には、Webサイトとして書き出されたものではない %2 があります。Webサイトをその横に書き出しますか？ %2 は上書きも削除もされません。</source>
        <translation>The folder %1 holds %2, which no web site wrote. Publish the web site beside it? %2 is neither overwritten nor removed.</translation>
    </message>
    <message>
        <source>フォルダー %1 には、Webサイトとして書き出されたものではない %2 ほか %3 個のファイルがあります。Webサイトをその横に書き出しますか？ それらのファイルは上書きも削除もされません。</source>
        <translation>The folder %1 holds %2 and %3 more files that no web site wrote. Publish the web site beside them? They are neither overwritten nor removed.</translation>
    </message>
    <message>
        <source>書き出す</source>
        <translation>Publish</translation>
    </message>
    <message>
        <source>%1 ページと %2 枚の画像を書き出しました。
書き出し先: %3</source>
        <translation>%1 pages and %2 pictures were published.
Into: %3</translation>
    </message>
    <message>
        <source>ブラウザで開く</source>
        <translation>Open in Browser</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
