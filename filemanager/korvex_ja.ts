<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ctlListView</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>更新日時</translation>
    </message>
    <message>
        <source>Link to</source>
        <translation>リンク先</translation>
    </message>
    <message>
        <source>Permission</source>
        <translation>アクセス権</translation>
    </message>
    <message>
        <source>Owner/Group</source>
        <translation>所有者/グループ</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>フォルダ</translation>
    </message>
</context>
<context>
    <name>ctlListViewItem</name>
    <message>
        <source>Folder</source>
        <translation>フォルダ</translation>
    </message>
</context>
<context>
    <name>ctlListViewItemFavor</name>
    <message>
        <source>&lt;Separater&gt;</source>
        <translation>&lt;区切り線&gt;</translation>
    </message>
</context>
<context>
    <name>frmFilename</name>
    <message>
        <source>Create new folder</source>
        <translation>新しいフォルダの作成</translation>
    </message>
    <message>
        <source>Create new text document</source>
        <translation>新しいテキスト文書の作成</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>Please input a folder name.</source>
        <translation>フォルダ名を入力してください。</translation>
    </message>
    <message>
        <source>Please input a file name.</source>
        <translation>ファイル名を入力してください。</translation>
    </message>
    <message>
        <source>Please input the folder name after change.</source>
        <translation>変更後のフォルダ名を入力してください。</translation>
    </message>
    <message>
        <source>Please input the file name after change.</source>
        <translation>変更後のファイル名を入力してください。</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Please wait...</source>
        <translation>しばらくお待ちください...</translation>
    </message>
    <message>
        <source>%1 objects  selected (total %2KB)</source>
        <translation>%1個のオブジェクトを選択（計%2 KB）</translation>
    </message>
    <message>
        <source>%1 objects (total %2KB)</source>
        <translation>%1個のオブジェクト（計%2 KB）</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Folder  (Fn+N)</source>
        <translation>フォルダ(&amp;F)  (Fn+N)</translation>
    </message>
    <message>
        <source>&amp;Text Document  (Fn+M)</source>
        <translation>テキスト文書(&amp;T)  (Fn+M)</translation>
    </message>
    <message>
        <source>&amp;Delete  (Del)</source>
        <translation>削除(&amp;D)  (Del)</translation>
    </message>
    <message>
        <source>Rena&amp;me  (Fn+B)</source>
        <translation>名前の変更(&amp;M)  (Fn+B)</translation>
    </message>
    <message>
        <source>P&amp;roperties  (Fn+P)</source>
        <translation>プロパティ(&amp;R)  (Fn+P)</translation>
    </message>
    <message>
        <source>Open wi&amp;th</source>
        <translation>プログラムから開く(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Send To</source>
        <translation>送る(&amp;S)</translation>
    </message>
    <message>
        <source>Send Q&amp;Cop (testing!!)</source>
        <translation>QCopを送信(&amp;C)（試験中!!）</translation>
    </message>
    <message>
        <source>Reload &amp;HomeIcon</source>
        <translation>ホームのアイコンを再読込(&amp;H)</translation>
    </message>
    <message>
        <source>Reload &amp;TrayIcon</source>
        <translation>トレイのアイコンを再読込(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Lights Off</source>
        <translation>画面を消灯(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Screen Saver</source>
        <translation>スクリーンセーバー(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Quick Restart</source>
        <translation>クイック再起動(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>Cu&amp;t  (Fn+X)</source>
        <translation>切り取り(&amp;T)  (Fn+X)</translation>
    </message>
    <message>
        <source>&amp;Copy  (Fn+C)</source>
        <translation>コピー(&amp;C)  (Fn+C)</translation>
    </message>
    <message>
        <source>&amp;Past  (Fn+V)</source>
        <translation>貼り付け(&amp;P)  (Fn+V)</translation>
    </message>
    <message>
        <source>Past Sym&amp;link</source>
        <translation>シンボリックリンクとして貼り付け(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;MultiSelect ON</source>
        <translation>複数選択オン(&amp;M)</translation>
    </message>
    <message>
        <source>Select &amp;All  (Fn+A)</source>
        <translation>すべて選択(&amp;A)  (Fn+A)</translation>
    </message>
    <message>
        <source>&amp;Invert Selection  (Fn+R)</source>
        <translation>選択の切り替え(&amp;I)  (Fn+R)</translation>
    </message>
    <message>
        <source>MultiSelect &amp;OFF</source>
        <translation>複数選択オフ(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>オプション(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Tool Bar</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>Address &amp;Bar</source>
        <translation>アドレスバー(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>ステータスバー(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Favorites  (Fn+I)</source>
        <translation>お気に入り(&amp;F)  (Fn+I)</translation>
    </message>
    <message>
        <source>&amp;Refresh  (Fn+5)</source>
        <translation>最新の情報に更新(&amp;R)  (Fn+5)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Past</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>名前の変更(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>フォルダ(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Text Document</source>
        <translation>テキスト文書(&amp;T)</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>プロパティ(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Edit Favorites...</source>
        <translation>お気に入りの編集(&amp;E)...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>新しいフォルダ</translation>
    </message>
    <message>
        <source>New Text.txt</source>
        <translation>新しいテキスト.txt</translation>
    </message>
    <message>
        <source>Please choose the file or folder to delete.</source>
        <translation>削除するファイルまたはフォルダを選択してください。</translation>
    </message>
    <message>
        <source>Confirm SymbolicLink Delete</source>
        <translation>シンボリックリンクの削除の確認</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the symbolic link
&apos;%1&apos;?</source>
        <translation>シンボリックリンク
&apos;%1&apos;
を削除しますか？</translation>
    </message>
    <message>
        <source>Confirm Folder Delete</source>
        <translation>フォルダの削除の確認</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the folder
&apos;%1&apos; and all its contents?</source>
        <translation>フォルダ
&apos;%1&apos;
とその中身をすべて削除しますか？</translation>
    </message>
    <message>
        <source>Confirm File Delete</source>
        <translation>ファイルの削除の確認</translation>
    </message>
    <message>
        <source>Are you sure you want to delete
&apos;%1&apos;?</source>
        <translation>&apos;%1&apos;
を削除しますか？</translation>
    </message>
    <message>
        <source>Confirm Multiple File Delete</source>
        <translation>複数の項目の削除の確認</translation>
    </message>
    <message>
        <source>Are you sure you want to delete these %1 items?</source>
        <translation>これらの %1 個の項目を削除しますか？</translation>
    </message>
    <message>
        <source>The move was prepared.</source>
        <translation>移動の準備ができました。</translation>
    </message>
    <message>
        <source>The copy was prepared.</source>
        <translation>コピーの準備ができました。</translation>
    </message>
    <message>
        <source>The name of
&apos;%1&apos;
is not valid text in this system&apos;s encoding:
it cannot be handled here.</source>
        <translation>&apos;%1&apos;
の名前はこのシステムの文字コードで
正しい文字になっていないため、
ここでは扱えません。</translation>
    </message>
</context>
<context>
    <name>frmOption</name>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Layered Icon</source>
        <translation>アイコンの重ね表示</translation>
    </message>
    <message>
        <source>Symbolic Link</source>
        <translation>シンボリックリンク</translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation>読み取り専用</translation>
    </message>
    <message>
        <source>Executable</source>
        <translation>実行可能</translation>
    </message>
    <message>
        <source>Show hidden objects</source>
        <translation>隠しオブジェクトを表示する</translation>
    </message>
    <message>
        <source>In Linux OS, the hidden objects is a file name starts in &quot;.&quot;</source>
        <translation>Linux では、名前が &quot;.&quot; で始まるファイルが隠しオブジェクトです</translation>
    </message>
    <message>
        <source>Open last Folder at the next starting</source>
        <translation>次回起動時に最後のフォルダを開く</translation>
    </message>
    <message>
        <source>&amp;Upper</source>
        <translation>上へ(&amp;U)</translation>
    </message>
    <message>
        <source>Do&amp;wn</source>
        <translation>下へ(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Dummy</source>
        <translation>ダミー</translation>
    </message>
    <message>
        <source>&amp;Add Current Folder</source>
        <translation>現在のフォルダを追加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Separater</source>
        <translation>区切り線(&amp;S)</translation>
    </message>
</context>
<context>
    <name>frmOptionFavorDetail</name>
    <message>
        <source>Edit Favorite Item</source>
        <translation>お気に入りの編集</translation>
    </message>
    <message>
        <source>Please input a favorite item title.</source>
        <translation>お気に入りのタイトルを入力してください。</translation>
    </message>
    <message>
        <source>Title :</source>
        <translation>タイトル :</translation>
    </message>
    <message>
        <source>Path :</source>
        <translation>パス :</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>frmProperty</name>
    <message>
        <source> Properties</source>
        <translation> のプロパティ</translation>
    </message>
    <message>
        <source>General</source>
        <translation>全般</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>セキュリティ</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>MimeType:</source>
        <translation>MIME タイプ:</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>場所:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>サイズ:</translation>
    </message>
    <message>
        <source>LastModified:</source>
        <translation>更新日時:</translation>
    </message>
    <message>
        <source>read</source>
        <translation>読み取り</translation>
    </message>
    <message>
        <source>write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>execute</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>owner:</source>
        <translation>所有者:</translation>
    </message>
    <message>
        <source>group:</source>
        <translation>グループ:</translation>
    </message>
    <message>
        <source>other:</source>
        <translation>その他:</translation>
    </message>
</context>
<context>
    <name>kxCommon</name>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>ドキュメント</translation>
    </message>
    <message>
        <source>SD Card</source>
        <translation>SDカード</translation>
    </message>
    <message>
        <source>CF Card</source>
        <translation>CFカード</translation>
    </message>
    <message>
        <source>Root</source>
        <translation>ルート</translation>
    </message>
    <message>
        <source>Moving...</source>
        <translation>移動しています...</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>コピーしています...</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Confirm Folder Replace</source>
        <translation>フォルダの上書きの確認</translation>
    </message>
    <message>
        <source>This folder already contains a folder named 
&apos;%1&apos;. 

Do you want to move or copy the folder?</source>
        <translation>このフォルダには既にフォルダ
&apos;%1&apos;
があります。

このフォルダを移動またはコピーしますか？</translation>
    </message>
    <message>
        <source>Confirm File Replace</source>
        <translation>ファイルの上書きの確認</translation>
    </message>
</context>
</TS>
