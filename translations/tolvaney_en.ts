<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>TAnalysisCommand</name>
    <message>
        <source>この対局を解析しています…</source>
        <translation>Analysing this game…</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>対局の解析</source>
        <translation>Game analysis</translation>
    </message>
    <message>
        <source>解析する手がまだありません。</source>
        <translation>There are no moves to analyse yet.</translation>
    </message>
    <message>
        <source>この対局の棋譜を読めませんでした。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The record of this game could not be read.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>対局を解析できませんでした。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The game could not be analysed.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>解析のページを書けませんでした。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The analysis page could not be written.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ブラウザーを開けませんでした。解析のページはここにあります:<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>No browser could be opened. The analysis page is here:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>TBoardView</name>
    <message>
        <source>盤</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>black</translation>
    </message>
    <message>
        <source>白</source>
        <translation>white</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>empty</translation>
    </message>
    <message>
        <source> 打てます</source>
        <translation> playable</translation>
    </message>
    <message>
        <source> ヒント</source>
        <translation> hint</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>COMは後手番専用です。<byte value="xd"/>
<byte value="xd"/>
中盤読み深さ２を設定</source>
        <translation>COM plays second (white).<byte value="xd"/>
<byte value="xd"/>
Midgame depth: 2 moves</translation>
    </message>
    <message>
        <source>終盤読み深さは</source>
        <translation>Endgame depth:</translation>
    </message>
    <message>
        <source>４０手目で６手、</source>
        <translation>6 moves from move 40,</translation>
    </message>
    <message>
        <source>４８手目で８手、</source>
        <translation>8 moves from move 48,</translation>
    </message>
    <message>
        <source>５０手目で完全読み切り</source>
        <translation>to the end from move 50</translation>
    </message>
    <message>
        <source>待った</source>
        <translation>Take back</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>初期化</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>棋譜をクリップボード出力</source>
        <translation>Copy game record</translation>
    </message>
    <message>
        <source>成績を見る</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>学習１</source>
        <translation>Learn 1</translation>
    </message>
    <message>
        <source>学習２</source>
        <translation>Learn 2</translation>
    </message>
    <message>
        <source>学習３</source>
        <translation>Learn 3</translation>
    </message>
    <message>
        <source>セーブ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>終了しますか？</source>
        <translation>Quit the game?</translation>
    </message>
    <message>
        <source>棋譜データエラー発生。</source>
        <translation>The game record is damaged.</translation>
    </message>
    <message>
        <source>クリップボードにも出力しました</source>
        <translation>Also copied to the clipboard</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
プログラム上のバグです。致命的な状況なのでゲームを中断します。<byte value="xd"/>
<byte value="xd"/>
エラー内容は </source>
        <translation><byte value="xd"/>
<byte value="xd"/>
This is a bug in the program. The game cannot go on and has been stopped.<byte value="xd"/>
<byte value="xd"/>
The error: </translation>
    </message>
    <message>
        <source>スコア&#x3000;黒: </source>
        <translation>Score  Black: </translation>
    </message>
    <message>
        <source>白: </source>
        <translation>White: </translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>あなたの番です。<byte value="xd"/>
<byte value="xd"/>
合法手ではありません。</source>
        <translation>Your move.<byte value="xd"/>
<byte value="xd"/>
That is not a legal move.</translation>
    </message>
    <message>
        <source>人の駒移動でエラー発生</source>
        <translation>Error while playing your move</translation>
    </message>
    <message>
        <source>COM思考中。。。。</source>
        <translation>COM is thinking...</translation>
    </message>
    <message>
        <source>COMはパスしました。</source>
        <translation>COM passes.</translation>
    </message>
    <message>
        <source>COM思考でエラー発生</source>
        <translation>Error while COM was thinking</translation>
    </message>
    <message>
        <source>最強: 読み切り</source>
        <translation>Strongest: read to the end</translation>
    </message>
    <message>
        <source>最強: 先読み</source>
        <translation>Strongest: read ahead</translation>
    </message>
    <message>
        <source>COM思考でエラー発生 指し手が0</source>
        <translation>Error while COM was thinking: no move (0)</translation>
    </message>
    <message>
        <source>COMの駒移動でエラー発生</source>
        <translation>Error while playing COM's move</translation>
    </message>
    <message>
        <source>人がパスしました。</source>
        <translation>You pass.</translation>
    </message>
    <message>
        <source>引き分けです。</source>
        <translation>A draw.</translation>
    </message>
    <message>
        <source>COMの勝ちです。</source>
        <translation>COM wins.</translation>
    </message>
    <message>
        <source>あなたの勝ちです。</source>
        <translation>You win.</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
    <message>
        <source>初期化完了<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>New game ready<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>二人で対戦<byte value="xd"/>
<byte value="xd"/>
ゲーム開始です。黒の番です。</source>
        <translation>Two players<byte value="xd"/>
<byte value="xd"/>
The game begins. Black to move.</translation>
    </message>
    <message>
        <source>ゲームレベルは最強<byte value="xd"/>
終盤は残り%1マスから完全読み<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Level: strongest<byte value="xd"/>
Reads to the end from %1 empty squares<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ゲームレベルは最弱</source>
        <translation>Level: weakest</translation>
    </message>
    <message>
        <source>中盤読みは１手</source>
        <translation>Midgame depth: 1 move</translation>
    </message>
    <message>
        <source>思考タイプ＝ランダム</source>
        <translation>Thinking: random</translation>
    </message>
    <message>
        <source>ゲームレベルは初級</source>
        <translation>Level: easy</translation>
    </message>
    <message>
        <source>中盤読みは２手</source>
        <translation>Midgame depth: 2 moves</translation>
    </message>
    <message>
        <source>ゲームレベルは中級</source>
        <translation>Level: medium</translation>
    </message>
    <message>
        <source>中盤読みは４手</source>
        <translation>Midgame depth: 4 moves</translation>
    </message>
    <message>
        <source>ゲームレベルは上級</source>
        <translation>Level: hard</translation>
    </message>
    <message>
        <source>中盤読みは５手</source>
        <translation>Midgame depth: 5 moves</translation>
    </message>
    <message>
        <source>思考タイプ＝Ａ</source>
        <translation>Thinking: type A</translation>
    </message>
    <message>
        <source>思考タイプ＝Ｂ</source>
        <translation>Thinking: type B</translation>
    </message>
    <message>
        <source>思考タイプ＝Ｃ</source>
        <translation>Thinking: type C</translation>
    </message>
    <message>
        <source>思考タイプ＝Ｄ</source>
        <translation>Thinking: type D</translation>
    </message>
    <message>
        <source>定石データベースあり</source>
        <translation>Opening book: on</translation>
    </message>
    <message>
        <source>ゲーム開始です。</source>
        <translation>The game begins.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
あなたは白（後手）、COMが先手です。</source>
        <translation><byte value="xd"/>
You play white; COM moves first.</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>COM（黒）</source>
        <translation>COM (black)</translation>
    </message>
    <message>
        <source>待ったは一度だけです。</source>
        <translation>You can take back only once a turn.</translation>
    </message>
    <message>
        <source>すでに初期状態です。待ったできません。</source>
        <translation>This is the start of the game: there is nothing to take back.</translation>
    </message>
    <message>
        <source>待ったをしました<byte value="xd"/>
</source>
        <translation>Move taken back<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>「%1」は整数ではありません。</source>
        <translation>"%1" is not a whole number.</translation>
    </message>
    <message>
        <source>棋譜を入力してください</source>
        <translation>Enter a game record</translation>
    </message>
    <message>
        <source>学習</source>
        <translation>Learning</translation>
    </message>
    <message>
        <source>学習できない棋譜です。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>This game record cannot be learned from.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>学習中 %1手目 k=%2</source>
        <translation>Learning move %1 k=%2</translation>
    </message>
    <message>
        <source>カウンタ </source>
        <translation>Counter </translation>
    </message>
    <message>
        <source>すべて保存しました。</source>
        <translation>All saved.</translation>
    </message>
    <message>
        <source>%1手目: %2</source>
        <translation>Move %1: %2</translation>
    </message>
    <message>
        <source>%1の番です。</source>
        <translation>%1 to move.</translation>
    </message>
    <message>
        <source>%1はパスしました。</source>
        <translation>%1 passes.</translation>
    </message>
    <message>
        <source>COM思考： %1秒</source>
        <translation>COM thought: %1 s</translation>
    </message>
    <message>
        <source>COM消費時間： %1秒</source>
        <translation>COM in all: %1 s</translation>
    </message>
    <message>
        <source>局面評価数＝%1</source>
        <translation>Positions: %1</translation>
    </message>
    <message>
        <source>%1の勝ちです。</source>
        <translation>%1 wins.</translation>
    </message>
    <message>
        <source>２手目を牛定石に</source>
        <translation>move 2: the cow opening</translation>
    </message>
    <message>
        <source>定石データベース使用</source>
        <translation>opening book</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>random</translation>
    </message>
    <message>
        <source>初級</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>完全読み</source>
        <translation>read to the end</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>交差: 白 d4・e5、黒 e4・d5（標準）</source>
        <translation>Crossed: white d4, e5; black e4, d5 (standard)</translation>
    </message>
    <message>
        <source>交差: 黒 d4・e5、白 e4・d5</source>
        <translation>Crossed: black d4, e5; white e4, d5</translation>
    </message>
    <message>
        <source>平行: 黒 d4・e4、白 d5・e5</source>
        <translation>Side by side: black d4, e4; white d5, e5</translation>
    </message>
    <message>
        <source>平行: 白 d4・e4、黒 d5・e5</source>
        <translation>Side by side: white d4, e4; black d5, e5</translation>
    </message>
    <message>
        <source>新規開始時の設定</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>ゲームレベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>最弱</source>
        <translation>Weakest</translation>
    </message>
    <message>
        <source>初級</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>思考ルーチン</source>
        <translation>Way of thinking</translation>
    </message>
    <message>
        <source>初期配置</source>
        <translation>Starting discs</translation>
    </message>
    <message>
        <source>１手ごとの待機時間(ミリ秒)</source>
        <translation>Wait before each move (ms)</translation>
    </message>
    <message>
        <source>パス時の待機時間(ミリ秒)</source>
        <translation>Wait after your pass (ms)</translation>
    </message>
    <message>
        <source>あなたの石</source>
        <translation>Your colour</translation>
    </message>
    <message>
        <source>黒（先手）</source>
        <translation>Black (first)</translation>
    </message>
    <message>
        <source>白（後手）</source>
        <translation>White (second)</translation>
    </message>
    <message>
        <source>対戦相手</source>
        <translation>Opponent</translation>
    </message>
    <message>
        <source>最強の COM</source>
        <translation>Strongest COM</translation>
    </message>
    <message>
        <source>二人で対戦</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>新規開始！</source>
        <translation>Start!</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>パターン評価値の調整</source>
        <translation>Pattern values</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>「%1」は整数ではありません。値は保存されません。</source>
        <translation>"%1" is not a whole number. The value is not saved.</translation>
    </message>
    <message>
        <source>「%1」は整数ではありません。</source>
        <translation>"%1" is not a whole number.</translation>
    </message>
    <message>
        <source>ステージは 0、1、2 のどれかです。ステージ %1 のままです。</source>
        <translation>The stage is 0, 1 or 2. It stays at %1.</translation>
    </message>
    <message>
        <source>を保存しました。</source>
        <translation> saved.</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Stage 0～2</source>
        <translation>Stage 0-2</translation>
    </message>
    <message>
        <source>Stage 0 -&gt; 1～20</source>
        <translation>Stage 0 -&gt; 1-20</translation>
    </message>
    <message>
        <source>Stage 1 -&gt; 21～40</source>
        <translation>Stage 1 -&gt; 21-40</translation>
    </message>
    <message>
        <source>Stage 2 -&gt; 41～</source>
        <translation>Stage 2 -&gt; 41-</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>Tolvaney - トルヴァニー -<byte value="xd"/>
バージョン %1 (Build100316)<byte value="xd"/>
<byte value="xd"/>
コンピュータと、または二人で対戦するリバーシです。<byte value="xd"/>
Qt %2 で動いています。</source>
        <translation>Tolvaney - トルヴァニー -<byte value="xd"/>
Version %1 (Build100316)<byte value="xd"/>
<byte value="xd"/>
Reversi against the computer, or for two players.<byte value="xd"/>
Running on Qt %2.</translation>
    </message>
</context>
<context>
    <name>THint</name>
    <message>
        <source>ヒントはあなたの番に出します</source>
        <translation>The hint comes on your turn</translation>
    </message>
    <message>
        <source>ヒントを考えています…</source>
        <translation>Working out a hint…</translation>
    </message>
    <message>
        <source>ヒントを出せませんでした: </source>
        <translation>No hint: </translation>
    </message>
    <message>
        <source>ヒント: %1（%2から見て %3 石、%4）</source>
        <translation>Hint: %1 (%3 discs for %2, %4)</translation>
    </message>
    <message>
        <source>白</source>
        <translation>white</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>black</translation>
    </message>
</context>
<context>
    <name>TMainWindow</name>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>新規ゲーム(&amp;N)…</source>
        <translation>&amp;New game…</translation>
    </message>
    <message>
        <source>待った(&amp;U)</source>
        <translation>&amp;Take back</translation>
    </message>
    <message>
        <source>棋譜をコピー(&amp;C)</source>
        <translation>&amp;Copy game record</translation>
    </message>
    <message>
        <source>成績を見る(&amp;R)</source>
        <translation>&amp;Results</translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>この対局を解析(&amp;A)…</source>
        <translation>&amp;Analyse this game…</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>打てる場所を表示(&amp;L)</source>
        <translation>Show &amp;legal moves</translation>
    </message>
    <message>
        <source>盤に座標を表示(&amp;O)</source>
        <translation>Show co&amp;ordinates</translation>
    </message>
    <message>
        <source>返る石を表示(&amp;F)</source>
        <translation>Show discs that would &amp;flip</translation>
    </message>
    <message>
        <source>思考内容をタイトルに表示(&amp;T)</source>
        <translation>Show COM's thinking in the &amp;title</translation>
    </message>
    <message>
        <source>表示倍率(&amp;S)</source>
        <translation>&amp;Scale</translation>
    </message>
    <message>
        <source>言語(&amp;G)</source>
        <translation>Lan&amp;guage</translation>
    </message>
    <message>
        <source>デスクトップに合わせる(&amp;D)</source>
        <translation>As the &amp;desktop</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>日本語(&amp;J)</translation>
    </message>
    <message>
        <source>次に起動したときから変わります</source>
        <translation>Takes effect at the next start</translation>
    </message>
    <message>
        <source>石が返る動き(&amp;A)</source>
        <translation>&amp;Animate turning discs</translation>
    </message>
    <message>
        <source>効果音(&amp;N)</source>
        <translation>Sou&amp;nds</translation>
    </message>
    <message>
        <source>動きの速さ(&amp;D)</source>
        <translation>Animation spee&amp;d</translation>
    </message>
    <message>
        <source>速い(&amp;F)</source>
        <translation>&amp;Fast</translation>
    </message>
    <message>
        <source>普通(&amp;N)</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>遅い(&amp;S)</source>
        <translation>&amp;Slow</translation>
    </message>
    <message>
        <source>テーマ(&amp;M)</source>
        <translation>The&amp;me</translation>
    </message>
    <message>
        <source>標準(&amp;P)</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>ハイコントラスト(&amp;H)</source>
        <translation>&amp;High contrast</translation>
    </message>
    <message>
        <source>ダーク(&amp;D)</source>
        <translation>&amp;Dark</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>遊び方(&amp;P)</source>
        <translation>&amp;How to play</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>TSettings</name>
    <message>
        <source>設定ファイルを読めないため、既定の設定で始めます。ファイルはそのまま残し、今回の設定は保存しません:<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The settings file cannot be read, so the game starts with the default settings. The file is left as it is, and this session's settings will not be saved:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
理由: </source>
        <translation><byte value="xd"/>
Reason: </translation>
    </message>
    <message>
        <source>設定ファイルが壊れていたため、既定の設定で始めます。壊れたファイルは次の場所に残してあります:<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The settings file was damaged, so the game starts with the default settings. The damaged file was kept here:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>設定ファイルが壊れていたため、既定の設定で始めます。ファイルを別の名前に移せなかったため、そのまま残し、今回の設定は保存しません:<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The settings file was damaged, so the game starts with the default settings. It could not be moved aside, so it is left as it is, and this session's settings will not be saved:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ほかのプログラムが設定ファイルでないものに書き換えました</source>
        <translation>another program replaced it with something that is not a settings file</translation>
    </message>
    <message>
        <source>を保存できませんでした。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation> could not be saved.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
設定はこのゲームを終えるまで有効ですが、これから後はファイルに保存しません。次に起動したときは、前に保存した設定で始まります。</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
The settings hold until you quit, but from now on they are not saved. Next time the game starts with the settings saved before.</translation>
    </message>
    <message>
        <source>表示の設定</source>
        <translation>The view settings</translation>
    </message>
    <message>
        <source>新規ゲームの設定</source>
        <translation>The new-game settings</translation>
    </message>
    <message>
        <source>ウィンドウの大きさと位置</source>
        <translation>The window's size and place</translation>
    </message>
</context>
<context>
    <name>TStatusLine</name>
    <message>
        <source>打つマスをクリックしてください（キーボード: 矢印キーと Enter、または f 5）</source>
        <translation>Click a square to play (keyboard: the arrows and Enter, or f 5)</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>COM 思考中…</source>
        <translation>COM is thinking…</translation>
    </message>
    <message>
        <source>%1 は %2</source>
        <translation>%1 played %2</translation>
    </message>
    <message>
        <source>%1は %2</source>
        <translation>%1 played %2</translation>
    </message>
    <message>
        <source>%1 はパスしました</source>
        <translation>%1 passed</translation>
    </message>
    <message>
        <source>%1はパスしました</source>
        <translation>%1 passed</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>合法手ではありません。</source>
        <translation>Not a legal move.</translation>
    </message>
    <message>
        <source>%1はパス</source>
        <translation>%1 passed</translation>
    </message>
    <message>
        <source>%1はパスです。</source>
        <translation>%1 must pass.</translation>
    </message>
    <message>
        <source>待ったをしました</source>
        <translation>Taken back</translation>
    </message>
    <message>
        <source>待ったをしました。%1。</source>
        <translation>Taken back. %1.</translation>
    </message>
    <message>
        <source>棋譜（%1 手）をコピーしました</source>
        <translation>Game record (%1 moves) copied</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>ゲームを中断しました（新規ゲームで始め直せます）</source>
        <translation>The game was stopped (a new game starts again)</translation>
    </message>
    <message>
        <source>ゲーム終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>白（あなた）の番です</source>
        <translation>White (you) to move</translation>
    </message>
    <message>
        <source>黒（あなた）の番です</source>
        <translation>Black (you) to move</translation>
    </message>
    <message>
        <source>%1の番です</source>
        <translation>%1 to move</translation>
    </message>
    <message>
        <source>新しいゲームです。%1。%2。</source>
        <translation>New game. %1. %2.</translation>
    </message>
    <message>
        <source>新しいゲームです。%1。%2</source>
        <translation>New game. %1. %2</translation>
    </message>
    <message>
        <source>あなたは白です。%1の番です。</source>
        <translation>You play white. %1 to move.</translation>
    </message>
    <message>
        <source>あなたの番です。</source>
        <translation>Your move.</translation>
    </message>
    <message>
        <source>黒 %1・白 %2</source>
        <translation>Black %1 · White %2</translation>
    </message>
    <message>
        <source>引き分けです。</source>
        <translation>A draw.</translation>
    </message>
    <message>
        <source>%1の勝ちです。</source>
        <translation>%1 wins.</translation>
    </message>
    <message>
        <source>あなたの勝ちです。</source>
        <translation>You win.</translation>
    </message>
    <message>
        <source>COM の勝ちです。</source>
        <translation>COM wins.</translation>
    </message>
    <message>
        <source>ゲーム終了。黒 %1、白 %2。</source>
        <translation>Game over. Black %1, white %2. </translation>
    </message>
    <message>
        <source>。クリップボードにも出力しました。</source>
        <translation>. Also copied to the clipboard.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>使い方: tolvaney [--from-menu]
コンピュータと、または二人で対戦するリバーシです。ふつうはあなたが黒で先手ですが、
新規ゲームの設定で白（後手）も、最強のコンピュータも、二人での対戦も選べます。

  --from-menu  成績ファイル 成績.dat を XDG のデータフォルダー
               ($XDG_DATA_HOME/tolvaney/、既定は ~/.local/share/tolvaney/) に置きます。
               デスクトップのメニューから起動したときの置き場所です。
               付けないときは、起動したフォルダーに置きます。
  --help       この説明を表示して終わります。
  --version    バージョンを表示して終わります。
</source>
        <translation>Usage: tolvaney [--from-menu]
Reversi against the computer, or for two players. By default you play black and
move first; the new-game settings also offer white, the strongest computer and a game
of two players.

  --from-menu  keeps the results file 成績.dat in the XDG data folder
               ($XDG_DATA_HOME/tolvaney/, by default ~/.local/share/tolvaney/),
               where it goes when the game is started from the desktop's menu.
               Without it, the file is kept in the folder the game starts in.
  --help       shows this text and ends.
  --version    shows the version and ends.
</translation>
    </message>
    <message>
        <source>知らないオプションです</source>
        <translation>unknown option</translation>
    </message>
    <message>
        <source>余分な引数です</source>
        <translation>argument not expected</translation>
    </message>
    <message>
        <source>tolvaney: %1: %2（使い方は tolvaney --help）
</source>
        <translation>tolvaney: %1: %2 (see tolvaney --help)
</translation>
    </message>
    <message>
        <source>tolvaney: 画面が見つかりません (DISPLAY も WAYLAND_DISPLAY もありません)。
ウィンドウを出す場所がないため、起動できません。デスクトップのセッションから
起動してください。
</source>
        <translation>tolvaney: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
With nowhere to show its window, the game cannot start. Start it from a desktop
session.
</translation>
    </message>
    <message>
        <source>tolvaney: 画面に接続できません (%s)。
その画面がないか、接続を断られました。デスクトップのセッションから起動するか、
DISPLAY を今ある画面にしてください。仮想の画面では &quot;xvfb-run -a tolvaney&quot;
(パッケージ xvfb) として起動できます。
ツールキットの報告:
%s</source>
        <translation>tolvaney: cannot connect to the display (%s).
There is no such display, or it refused the connection. Start the game from a desktop
session, or set DISPLAY to a display that exists. On a virtual screen, start it as
"xvfb-run -a tolvaney" (package xvfb).
The toolkit reported:
%s</translation>
    </message>
</context>
</TS>
