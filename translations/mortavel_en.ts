<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BattleEnding</name>
    <message>
        <source>ハイスコア登録</source>
        <translation>New High Score</translation>
    </message>
    <message>
        <source>ランキング入りしました！
お名前を入力してください（12文字まで）</source>
        <translation>You have made the ranking!
Enter your name (up to 12 characters)</translation>
    </message>
    <message>
        <source>ハイスコアを保存できませんでした。</source>
        <translation>The high scores could not be saved.</translation>
    </message>
    <message>
        <source>今回のスコアはランキングに残りませんでした。</source>
        <translation>This score did not stay in the ranking.</translation>
    </message>
    <message>
        <source>このゲームの間に、別に起動しているゲームがより良いスコアを保存しました。</source>
        <translation>Another running copy of the game saved better scores meanwhile.</translation>
    </message>
</context>
<context>
    <name>BattleTexts</name>
    <message>
        <source>%1時の方向に敵艦発見！</source>
        <extracomment>A ship appears; %1 is the clock hour of its bearing (0 to 12, 0 dead ahead).</extracomment>
        <translation>Enemy ship sighted at %1 o&apos;clock!</translation>
    </message>
    <message>
        <source>砲塔旋回、%1時%2分、仰角%3度！</source>
        <extracomment>The turret starts to move: bearing as a clock time %1 hours %2 minutes, elevation %3 degrees.</extracomment>
        <translation>Turret training to %1h%2m, elevation %3°!</translation>
    </message>
    <message>
        <source>砲塔旋回完了！</source>
        <translation>Turret on bearing!</translation>
    </message>
    <message>
        <source>発射！！</source>
        <translation>Fire!!</translation>
    </message>
    <message>
        <source>着弾確認！</source>
        <extracomment>First line of the report when a shell falls; the hits follow on lines of their own.</extracomment>
        <translation>Splash! Fall of shot observed!</translation>
    </message>
    <message>
        <source>敵艦に命中！%1</source>
        <extracomment>One line per ship hit; %1 is its damage grade (the next four texts).</extracomment>
        <translation>Hit! %1</translation>
    </message>
    <message>
        <source>敵艦撃沈！</source>
        <translation>Enemy ship sunk!</translation>
    </message>
    <message>
        <source>敵艦大破！</source>
        <translation>Enemy ship badly damaged!</translation>
    </message>
    <message>
        <source>敵艦中破！</source>
        <translation>Enemy ship damaged!</translation>
    </message>
    <message>
        <source>敵艦小破！</source>
        <translation>Enemy ship slightly damaged!</translation>
    </message>
    <message>
        <source>砲弾装填完了！</source>
        <translation>Gun loaded, ready to fire!</translation>
    </message>
    <message>
        <source>%1 Sec.</source>
        <extracomment>Seconds left of the battle.</extracomment>
        <translation>%1 Sec.</translation>
    </message>
    <message>
        <source>%1 Pts.</source>
        <extracomment>The score of the battle.</extracomment>
        <translation>%1 Pts.</translation>
    </message>
    <message>
        <source>ゲームを終了してもよろしいですか？</source>
        <translation>Abandon the battle and quit the game?</translation>
    </message>
    <message>
        <source>終了確認</source>
        <extracomment>Title of the box that asks whether to quit.</extracomment>
        <translation>Quit Game</translation>
    </message>
</context>
<context>
    <name>FallbackGauge</name>
    <message>
        <source>砲弾装填中...</source>
        <translation>Loading shell...</translation>
    </message>
</context>
<context>
    <name>GaugeHost</name>
    <message>
        <source>砲弾装填中...</source>
        <translation>Loading shell...</translation>
    </message>
    <message>
        <source>VelProgressBar のウィジェットを取得できません</source>
        <translation>VelProgressBar gave no widget</translation>
    </message>
    <message>
        <source>VelProgressBar を作成できません</source>
        <translation>VelProgressBar could not be created</translation>
    </message>
</context>
<context>
    <name>HighScores</name>
    <message>
        <source>%1: 別に起動しているゲームがこのファイルへの保存の途中で応答しません。%2秒待っても保存できませんでした。</source>
        <extracomment>%1 the score file, %2 seconds waited.</extracomment>
        <translation>%1: another running copy of the game is not responding in the middle of saving to this file. The scores could not be saved after waiting %2 seconds.</translation>
    </message>
</context>
<context>
    <name>VelPrgBarLoader</name>
    <message>
        <source>%1: %2 がありません</source>
        <translation>%1: %2 is missing</translation>
    </message>
    <message>
        <source>%1: インターフェイス版 %2 に対応していません</source>
        <translation>%1: does not support interface version %2</translation>
    </message>
    <message>
        <source>libVelPrgBar.so が見つかりません（検索場所: %1）</source>
        <translation>libVelPrgBar.so not found (searched: %1)</translation>
    </message>
    <message>
        <source>システムのライブラリパス</source>
        <translation>the system library path</translation>
    </message>
</context>
<context>
    <name>frmConfig</name>
    <message>
        <source>敵艦の最大出現数：</source>
        <translation>Enemy ships at once:</translation>
    </message>
    <message>
        <source>同時に画面内に出現する敵艦の最大数です</source>
        <translation>The most enemy ships at sea at the same time</translation>
    </message>
    <message>
        <source>プレイ時間：</source>
        <translation>Battle time:</translation>
    </message>
    <message>
        <source>一回のゲームのスタートから終了までの時間（秒単位）です</source>
        <translation>How long one battle lasts, from start to end (in seconds)</translation>
    </message>
    <message>
        <source>ゲーム難易度：</source>
        <translation>Difficulty:</translation>
    </message>
    <message>
        <source>ゲームの難しさの設定です</source>
        <translation>How hard the game is</translation>
    </message>
    <message>
        <source>Mortavel - 設定</source>
        <translation>Mortavel - Options</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>設定を反映してタイトル画面に戻ります</source>
        <translation>Apply the options and return to the title screen</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>設定は変更せずにタイトル画面に戻ります</source>
        <translation>Return to the title screen without changing the options</translation>
    </message>
    <message>
        <source>更新(&amp;U)</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>設定の変更を保存します</source>
        <translation>Save the changed options</translation>
    </message>
    <message>
        <source>デフォルトに戻す(&amp;D)</source>
        <translation>Restore &amp;Defaults</translation>
    </message>
    <message>
        <source>初期設定値に設定し直します</source>
        <translation>Select the default options again</translation>
    </message>
</context>
<context>
    <name>frmHighScore</name>
    <message>
        <source>順位</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>得点</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>日時</source>
        <extracomment>Column of the date and time of each entry.</extracomment>
        <translation>Date</translation>
    </message>
    <message>
        <source>Mortavel - ハイスコア</source>
        <translation>Mortavel - High Scores</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>難易度設定を切り替えます</source>
        <translation>Switch between the difficulty levels</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>制限時間設定を切り替えます</source>
        <translation>Switch between the battle times</translation>
    </message>
    <message>
        <source>選択中の難易度・時間でのスコアベスト10です</source>
        <translation>The ten best scores for the chosen difficulty and time</translation>
    </message>
    <message>
        <source>閉じる(&amp;Q)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>タイトル画面に戻ります</source>
        <translation>Return to the title screen</translation>
    </message>
    <message>
        <source>yy年M月d日 H:mm</source>
        <extracomment>Date and time of a ranking entry, as a QDateTime format (yy two-digit year, M month, d day, H hour, mm minutes; MMM the English month name).</extracomment>
        <translation>d MMM yyyy H:mm</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>装填ゲージのライブラリ VelPrgBar を読み込めませんでした。
簡易ゲージでゲームを続けます。</source>
        <translation>The reload gauge library VelPrgBar could not be loaded.
The game goes on with a simple gauge.</translation>
    </message>
    <message>
        <source>現在の砲の水平方向の向きを示します</source>
        <translation>The gun&apos;s present bearing</translation>
    </message>
    <message>
        <source>現在の砲の仰角を示します</source>
        <translation>The gun&apos;s present elevation</translation>
    </message>
    <message>
        <source>現在の視野内の光景です</source>
        <translation>The view in the present line of sight</translation>
    </message>
    <message>
        <source>残り秒数を示します</source>
        <translation>Seconds left in the battle</translation>
    </message>
    <message>
        <source>現在のスコアを示します</source>
        <translation>Your score so far</translation>
    </message>
    <message>
        <source>自艦を中心として敵艦の方向と位置を示します。赤い線は現在の視野中心方向です。</source>
        <translation>Bearing and position of the enemy ships around your own ship in the centre. The red line is your line of sight.</translation>
    </message>
    <message>
        <source>砲の仰角を設定します</source>
        <translation>Set the gun&apos;s elevation</translation>
    </message>
    <message>
        <source>砲の水平方向の向きを設定します</source>
        <translation>Set the gun&apos;s bearing</translation>
    </message>
    <message>
        <source>砲弾を装填していますので、このゲージがフルになるまでは発射できません</source>
        <translation>A shell is being loaded: the gun cannot fire until this gauge is full</translation>
    </message>
    <message>
        <source>旋回(&amp;T)</source>
        <translation>&amp;Turn</translation>
    </message>
    <message>
        <source>ゲージで設定した角度に砲塔を旋回します</source>
        <translation>Train the turret to the bearing and elevation set on the sliders</translation>
    </message>
    <message>
        <source>発射(&amp;F)</source>
        <translation>&amp;Fire</translation>
    </message>
    <message>
        <source>砲を発射します</source>
        <translation>Fire the gun</translation>
    </message>
</context>
<context>
    <name>frmTitle</name>
    <message>
        <source>スタート(&amp;S)...</source>
        <translation>&amp;Start...</translation>
    </message>
    <message>
        <source>ゲームを開始します</source>
        <translation>Start a battle</translation>
    </message>
    <message>
        <source>設定(&amp;C)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>ゲーム設定画面を開きます</source>
        <translation>Open the game options</translation>
    </message>
    <message>
        <source>ハイスコア(&amp;H)...</source>
        <translation>&amp;High Scores...</translation>
    </message>
    <message>
        <source>ハイスコアを表示します</source>
        <translation>Show the high scores</translation>
    </message>
    <message>
        <source>終了(&amp;E)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>プログラムを終了します</source>
        <translation>Quit the program</translation>
    </message>
</context>
</TS>
