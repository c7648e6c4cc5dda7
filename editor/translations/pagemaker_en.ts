<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
</TS>
