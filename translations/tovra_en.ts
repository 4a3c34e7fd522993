<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Cab</name>
    <message>
        <source>運転再開(&amp;S)</source>
        <translation>Resume(&amp;S)</translation>
    </message>
    <message>
        <source>一時停止(&amp;S)</source>
        <translation>Pause(&amp;S)</translation>
    </message>
</context>
<context>
    <name>CabLabels</name>
    <message>
        <source>ドアが開いています</source>
        <translation>Doors open</translation>
    </message>
    <message>
        <source>ドアを閉めています</source>
        <translation>Doors closing</translation>
    </message>
</context>
<context>
    <name>CabPictures</name>
    <message>
        <source>%1の生成エラー</source>
        <translation>Cannot make %1</translation>
    </message>
    <message>
        <source>%1が見つかりません</source>
        <translation>%1 not found</translation>
    </message>
</context>
<context>
    <name>CalloutQueue</name>
    <message>
        <source>喚呼の再生エラー</source>
        <translation>Cannot play the call-out</translation>
    </message>
</context>
<context>
    <name>Commentary</name>
    <message>
        <source>エンストしました。変速レバーを変速段に入れてエンジンを再始動してください。</source>
        <translation>The engine stalled. Put the gear lever in a gear and restart the engine.</translation>
    </message>
</context>
<context>
    <name>DataFiles</name>
    <message>
        <source>コントローラ設定ファイル mascon.dat を読み込めません</source>
        <translation>Cannot read the controller settings file mascon.dat</translation>
    </message>
    <message>
        <source>stringファイルに誤りがあります</source>
        <translation>The string file has an error</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>other</translation>
    </message>
    <message>
        <source>路線ファイルに誤りがあります。</source>
        <translation>The route file has an error: </translation>
    </message>
    <message>
        <source>停目の生成エラー</source>
        <translation>Cannot make the stop marker</translation>
    </message>
    <message>
        <source>停止線Sの生成エラー</source>
        <translation>Cannot make stop line S</translation>
    </message>
    <message>
        <source>停止線Mの生成エラー</source>
        <translation>Cannot make stop line M</translation>
    </message>
    <message>
        <source>停止線Eの生成エラー</source>
        <translation>Cannot make stop line E</translation>
    </message>
    <message>
        <source>勾配標の生成エラー</source>
        <translation>Cannot make the gradient post</translation>
    </message>
    <message>
        <source>制限標の生成エラー</source>
        <translation>Cannot make the speed limit sign</translation>
    </message>
    <message>
        <source>残り距離表示の生成エラー</source>
        <translation>Cannot make the remaining distance display</translation>
    </message>
    <message>
        <source>その他標識の生成エラー</source>
        <translation>Cannot make the other signs</translation>
    </message>
    <message>
        <source>信号機の生成エラー</source>
        <translation>Cannot make the signal</translation>
    </message>
    <message>
        <source>サブ信号機0の生成エラー</source>
        <translation>Cannot make sub-signal 0</translation>
    </message>
    <message>
        <source>サブ信号機1の生成エラー</source>
        <translation>Cannot make sub-signal 1</translation>
    </message>
    <message>
        <source>サブ信号機2の生成エラー</source>
        <translation>Cannot make sub-signal 2</translation>
    </message>
    <message>
        <source>- 列車の基本設定</source>
        <translation>basic train settings</translation>
    </message>
    <message>
        <source>- アナログ時計</source>
        <translation>analogue clock</translation>
    </message>
    <message>
        <source>- 運転台パネル</source>
        <translation>cab panel</translation>
    </message>
    <message>
        <source>- 運転台パネル2</source>
        <translation>cab panel 2</translation>
    </message>
    <message>
        <source>- 運転台パネル3</source>
        <translation>cab panel 3</translation>
    </message>
    <message>
        <source>- 速度計</source>
        <translation>speedometer</translation>
    </message>
    <message>
        <source>- BC圧力計</source>
        <translation>BC pressure gauge</translation>
    </message>
    <message>
        <source>- BC圧力計（リニア）</source>
        <translation>BC pressure gauge (linear)</translation>
    </message>
    <message>
        <source>- SAP圧力計</source>
        <translation>SAP pressure gauge</translation>
    </message>
    <message>
        <source>- ER圧力計</source>
        <translation>ER pressure gauge</translation>
    </message>
    <message>
        <source>- BP圧力計</source>
        <translation>BP pressure gauge</translation>
    </message>
    <message>
        <source>- MR圧力計</source>
        <translation>MR pressure gauge</translation>
    </message>
    <message>
        <source>- MR圧力計（リニア）</source>
        <translation>MR pressure gauge (linear)</translation>
    </message>
    <message>
        <source>- 電圧計</source>
        <translation>voltmeter</translation>
    </message>
    <message>
        <source>- 電流計</source>
        <translation>ammeter</translation>
    </message>
    <message>
        <source>車両ファイルに誤りがあります</source>
        <translation>The train file has an error: </translation>
    </message>
    <message>
        <source>動力が気動車なのにNotch指定があります</source>
        <translation>The train is a diesel but has a Notch entry</translation>
    </message>
    <message>
        <source>動力が電車なのにEngine指定があります</source>
        <translation>The train is electric but has an Engine entry</translation>
    </message>
    <message>
        <source>ブレーキの段数を3段以上に設定してください</source>
        <translation>Give the brake at least 3 steps</translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>%1 が次のフォルダにありません:</source>
        <translation>%1 was not found in:</translation>
    </message>
    <message>
        <source>データのフォルダを --data DIR か TOVRA_DATA で指定してください。</source>
        <translation>Give the data folder with --data DIR or in TOVRA_DATA.</translation>
    </message>
    <message>
        <source>デモ路線を作るには
  tovra-demo %1
を実行してから tovra をもう一度起動してください。</source>
        <translation> To make the demo line, run
  tovra-demo %1
and start tovra again.</translation>
    </message>
    <message>
        <source>実行ファイルが正しい場所に配置されていません</source>
        <translation>The program does not stand beside its data</translation>
    </message>
</context>
<context>
    <name>DemoLineSetup</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>データを %1 に書き込めませんでした:
%2</source>
        <translation>The data set could not be written into %1:
%2</translation>
    </message>
    <message>
        <source>データが見つかりません。tovra はデモ路線を
  %1
に今書き込んで (一度だけ、数分)、それで始められます。</source>
        <translation>No data set was found. tovra can write its demo line into
  %1
now (a few minutes, once) and then start on it.</translation>
    </message>
    <message>
        <source>デモ路線を書き込む</source>
        <translation>Write the demo line</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>デモ路線を書き込んでいます (画像・音・映像)…</source>
        <translation>Writing the demo line (pictures, sounds and videos)…</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>言語(&amp;G)</source>
        <translation>Lan&amp;guage</translation>
    </message>
    <message>
        <source>表示の言語は次回の起動から変わります。</source>
        <translation>The language changes from the next start on.</translation>
    </message>
    <message>
        <source>デスクトップに合わせる</source>
        <translation>As the desktop</translation>
    </message>
</context>
<context>
    <name>LimitText</name>
    <message>
        <source>%1km/h 照査まで%2m</source>
        <translation>%1 km/h check in %2 m</translation>
    </message>
</context>
<context>
    <name>LoadingSequence</name>
    <message>
        <source>設定ファイルを読み込んでいます</source>
        <translation>Reading the settings</translation>
    </message>
    <message>
        <source>運転台を描画しています</source>
        <translation>Drawing the cab</translation>
    </message>
    <message>
        <source>DirectSoundオブジェクトを作成しています(走行音)</source>
        <translation>Making the sounds (running)</translation>
    </message>
    <message>
        <source>DirectSoundオブジェクトを作成しています(環境音)</source>
        <translation>Making the sounds (wayside)</translation>
    </message>
    <message>
        <source>DirectSoundオブジェクトを作成しています(喚呼)</source>
        <translation>Making the sounds (call-outs)</translation>
    </message>
    <message>
        <source>サウンドを読み込んでいます</source>
        <translation>Reading the sounds</translation>
    </message>
    <message>
        <source>環境をセットアップしています</source>
        <translation>Setting up the run</translation>
    </message>
    <message>
        <source>映像ファイルを開けません</source>
        <translation>Cannot open the video file </translation>
    </message>
</context>
<context>
    <name>MappedControllers</name>
    <message>
        <source>コントローラ「%1」を接続しました</source>
        <translation>Controller “%1” connected</translation>
    </message>
    <message>
        <source>コントローラ「%1」が外れました</source>
        <translation>Controller “%1” disconnected</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>ヴェルモラン</source>
        <translation>Velmoran</translation>
    </message>
</context>
<context>
    <name>PadMapping</name>
    <message>
        <source>警笛</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>警笛2</source>
        <translation>Horn 2</translation>
    </message>
    <message>
        <source>ブザー</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>ドア</source>
        <translation>Doors</translation>
    </message>
    <message>
        <source>ATS確認</source>
        <translation>ATS acknowledge</translation>
    </message>
    <message>
        <source>ATS復帰</source>
        <translation>ATS reset</translation>
    </message>
    <message>
        <source>次の放送</source>
        <translation>Next announcement</translation>
    </message>
    <message>
        <source>前の放送</source>
        <translation>Previous announcement</translation>
    </message>
    <message>
        <source>レバーサ 前</source>
        <translation>Reverser forward</translation>
    </message>
    <message>
        <source>レバーサ 切</source>
        <translation>Reverser neutral</translation>
    </message>
    <message>
        <source>レバーサ 後</source>
        <translation>Reverser back</translation>
    </message>
    <message>
        <source>力行モード切替</source>
        <translation>Next power mode</translation>
    </message>
    <message>
        <source>喚呼</source>
        <translation>Call-out</translation>
    </message>
    <message>
        <source>変速レバー 0</source>
        <translation>Gear lever 0</translation>
    </message>
    <message>
        <source>変速レバー 1</source>
        <translation>Gear lever 1</translation>
    </message>
    <message>
        <source>変速レバー 2</source>
        <translation>Gear lever 2</translation>
    </message>
    <message>
        <source>エンジン始動</source>
        <translation>Engine start</translation>
    </message>
    <message>
        <source>エンジン停止</source>
        <translation>Engine stop</translation>
    </message>
    <message>
        <source>一時停止 / 運転再開</source>
        <translation>Pause / resume</translation>
    </message>
</context>
<context>
    <name>PadMappingFile</name>
    <message>
        <source>数値 &quot;%1&quot; が読めないか範囲外です</source>
        <translation>The number &quot;%1&quot; cannot be read or is out of range</translation>
    </message>
    <message>
        <source>ノッチが多すぎます</source>
        <translation>Too many notches</translation>
    </message>
    <message>
        <source>ノッチの位置が昇順ではありません</source>
        <translation>The notch positions are not in ascending order</translation>
    </message>
    <message>
        <source>軸の役割 &quot;%1&quot; は不明です</source>
        <translation>Unknown axis role &quot;%1&quot;</translation>
    </message>
    <message>
        <source>不明な項目です</source>
        <translation>Unknown entry</translation>
    </message>
    <message>
        <source>キー &quot;%1&quot; は不明です</source>
        <translation>Unknown key &quot;%1&quot;</translation>
    </message>
    <message>
        <source>同じボタンが二度あります</source>
        <translation>The same button appears twice</translation>
    </message>
    <message>
        <source>軸 %1 の役割がありません</source>
        <translation>Axis %1 has no role</translation>
    </message>
    <message>
        <source>軸 %1 の端が中立と同じです</source>
        <translation>An end of axis %1 is the same as its rest position</translation>
    </message>
    <message>
        <source>軸 %1 の両端が同じ側です</source>
        <translation>Both ends of axis %1 lie on the same side</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>GUID の見出しが正しくありません</source>
        <translation>Malformed GUID heading</translation>
    </message>
    <message>
        <source>同じ GUID が二度あります</source>
        <translation>The same GUID appears twice</translation>
    </message>
    <message>
        <source>読めない行です</source>
        <translation>Unreadable line</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>書き込めません: %1</source>
        <translation>Cannot write: %1</translation>
    </message>
    <message>
        <source>書き込めません: %1 (%2)</source>
        <translation>Cannot write: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ProtectionLog</name>
    <message>
        <source>停止信号まで%1m</source>
        <translation>Stop signal in %1 m</translation>
    </message>
    <message>
        <source>パターン消去: 信号まで%1m</source>
        <translation>Pattern cleared: signal in %1 m</translation>
    </message>
    <message>
        <source>停車駅まで%1m</source>
        <translation>Station stop in %1 m</translation>
    </message>
    <message>
        <source>%1km/h照査まで%2m</source>
        <translation>%1 km/h check in %2 m</translation>
    </message>
    <message>
        <source>停車駅パターン消去</source>
        <translation>Station stop pattern cleared</translation>
    </message>
    <message>
        <source>速度照査パターン消去</source>
        <translation>Speed check pattern cleared</translation>
    </message>
    <message>
        <source>%1km/h照査によって停止ブレーキ 速度%2 パターン%3</source>
        <translation>Stop brake by the %1 km/h check: speed %2 km/h, pattern %3 km/h</translation>
    </message>
    <message>
        <source>%1km/h照査によってブレーキ 速度%2 パターン%3</source>
        <translation>Brake by the %1 km/h check: speed %2 km/h, pattern %3 km/h</translation>
    </message>
</context>
<context>
    <name>RemoteDialog</name>
    <message>
        <source>リモート操作</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>空欄: 毎回ランダム</source>
        <translation>empty: random at each start</translation>
    </message>
    <message>
        <source>トークン</source>
        <translation>Token</translation>
    </message>
    <message>
        <source>開始できません: %1</source>
        <translation>Cannot start: %1</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止中</source>
        <translation>Not running</translation>
    </message>
    <message>
        <source>127.0.0.1: このコンピュータからのみ。タブレットから使うにはこのコンピュータのアドレスを選んでください (その場合すべての要求にトークンが必要です)。</source>
        <translation>127.0.0.1: this computer only. To use a tablet, choose this computer&apos;s address (every request then needs the token).</translation>
    </message>
    <message>
        <source>パネル: %1
リモート: %2
トークン: %3</source>
        <translation>Panel: %1
Remote: %2
Token: %3</translation>
    </message>
    <message>
        <source>ループバック: このコンピュータのブラウザからのみ接続できます。</source>
        <translation>Loopback: only a browser on this computer can connect.</translation>
    </message>
    <message>
        <source>ネットワーク上の誰でも接続できます: トークンを知る人だけが操作できます。</source>
        <translation>Anyone on the network can connect: only those who know the token can drive.</translation>
    </message>
</context>
<context>
    <name>RunReport</name>
    <message>
        <source>運転記録を書き込めません: %1</source>
        <translation>Cannot write the run report: %1</translation>
    </message>
    <message>
        <source>ATS常用ブレーキ</source>
        <translation>ATS service brake</translation>
    </message>
    <message>
        <source>ATS非常ブレーキ</source>
        <translation>ATS emergency brake</translation>
    </message>
    <message>
        <source>ATSベル</source>
        <translation>ATS bell</translation>
    </message>
    <message>
        <source>非常ブレーキ(運転士)</source>
        <translation>Emergency brake (driver)</translation>
    </message>
    <message>
        <source>速度と距離</source>
        <translation>Speed and distance</translation>
    </message>
    <message>
        <source>距離 (km)</source>
        <translation>Distance (km)</translation>
    </message>
    <message>
        <source>速度 (km/h)</source>
        <translation>Speed (km/h)</translation>
    </message>
    <message>
        <source>時刻と距離</source>
        <translation>Time and distance</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>駅ごとの記録</source>
        <translation>Station by station</translation>
    </message>
    <message>
        <source>駅での停車はありません。</source>
        <translation>No stops at stations.</translation>
    </message>
    <message>
        <source>駅</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>区間</source>
        <translation>Leg</translation>
    </message>
    <message>
        <source>停止位置誤差 (m)</source>
        <translation>Stop error (m)</translation>
    </message>
    <message>
        <source>到着</source>
        <translation>Arrival</translation>
    </message>
    <message>
        <source>到着-発車時刻 (秒)</source>
        <translation>Arrival − departure time (s)</translation>
    </message>
    <message>
        <source>ドア開</source>
        <translation>Doors open</translation>
    </message>
    <message>
        <source>ドア閉</source>
        <translation>Doors closed</translation>
    </message>
    <message>
        <source>発車</source>
        <translation>Departure</translation>
    </message>
    <message>
        <source>発車の遅れ (秒)</source>
        <translation>Departure late (s)</translation>
    </message>
    <message>
        <source>ATS・非常ブレーキ</source>
        <translation>ATS and emergency brakes</translation>
    </message>
    <message>
        <source>ありません。</source>
        <translation>None.</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>位置 (m)</source>
        <translation>Position (m)</translation>
    </message>
    <message>
        <source>得点</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>走行距離 (km)</source>
        <translation>Distance driven (km)</translation>
    </message>
    <message>
        <source>消費電力量 (kWh)</source>
        <translation>Energy used (kWh)</translation>
    </message>
    <message>
        <source>回生電力量 (kWh)</source>
        <translation>Energy regenerated (kWh)</translation>
    </message>
    <message>
        <source>最大減速度 (m/s²)</source>
        <translation>Peak deceleration (m/s²)</translation>
    </message>
    <message>
        <source>1 m/s³を超える衝動 (回)</source>
        <translation>Jerks above 1 m/s³ (times)</translation>
    </message>
    <message>
        <source>制限速度超過 (秒)</source>
        <translation>Over the limit (s)</translation>
    </message>
    <message>
        <source>得点の決め方</source>
        <translation>How the score is made</translation>
    </message>
    <message>
        <source>100点から次を引きます (0点未満にはなりません)。</source>
        <translation>From 100 points, these are taken off (never below 0).</translation>
    </message>
    <message>
        <source>停止位置: 停止目標からの誤差0.5 mごとに1点</source>
        <translation>Stops: 1 point for every 0.5 m off the stop mark</translation>
    </message>
    <message>
        <source>発車: 時刻表より5秒遅れるごとに1点、早発は5点</source>
        <translation>Departures: 1 point for every 5 s behind the timetable, 5 for leaving early</translation>
    </message>
    <message>
        <source>ATS: 常用ブレーキ・非常ブレーキ(運転士)10点、ATS非常ブレーキ20点、ベル3点</source>
        <translation>ATS: 10 points for a service brake or the driver&apos;s emergency brake, 20 for an ATS emergency brake, 3 for the bell</translation>
    </message>
    <message>
        <source>速度: 区間・信号の制限速度を超えた1秒ごとに1点</source>
        <translation>Speed: 1 point for every second above a line or signal limit</translation>
    </message>
    <message>
        <source>乗り心地: 1 m/s³を超える衝動1回ごとに1点 (最大20点)</source>
        <translation>Comfort: 1 point for every jerk above 1 m/s³ (at most 20)</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
    <message>
        <source>運転記録</source>
        <translation>Run report</translation>
    </message>
    <message>
        <source>速度と制限速度</source>
        <translation>Speed and limits</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>区間の制限</source>
        <translation>Line limit</translation>
    </message>
    <message>
        <source>信号の制限</source>
        <translation>Signal limit</translation>
    </message>
    <message>
        <source>パターン</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>停止位置の範囲</source>
        <translation>Stopping zone</translation>
    </message>
    <message>
        <source>これまでの最高 (%1点, %2)</source>
        <translation>Best so far (%1 points, %2)</translation>
    </message>
    <message>
        <source>列車</source>
        <translation>Train</translation>
    </message>
    <message>
        <source>時刻表の発車時刻</source>
        <translation>Timetable departures</translation>
    </message>
    <message>
        <source>記録は同じ名前の CSV ファイルにもあります。</source>
        <translation>The record is also in the CSV file of the same name.</translation>
    </message>
</context>
<context>
    <name>SaveSlots</name>
    <message>
        <source>運転状態を保存しました</source>
        <translation>The run was saved</translation>
    </message>
    <message>
        <source>運転状態を保存できませんでした</source>
        <translation>The run could not be saved</translation>
    </message>
    <message>
        <source>運転状態が保存されていません</source>
        <translation>No run is saved here</translation>
    </message>
    <message>
        <source>運転状態を保存したダイヤではありません</source>
        <translation>The saved run belongs to another timetable</translation>
    </message>
    <message>
        <source>保存されている運転状態を読み取れません</source>
        <translation>The saved run cannot be read</translation>
    </message>
</context>
<context>
    <name>Stations</name>
    <message>
        <source>ただいま %1</source>
        <translation>Now at %1</translation>
    </message>
    <message>
        <source>次は %1</source>
        <translation>Next: %1</translation>
    </message>
</context>
<context>
    <name>TrainMotion</name>
    <message>
        <source>空転</source>
        <translation>Slip</translation>
    </message>
    <message>
        <source>滑走</source>
        <translation>Slide</translation>
    </message>
</context>
<context>
    <name>tovra::ControllerMapDialog</name>
    <message>
        <source>力行</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>ブレーキ</source>
        <translation>Brake</translation>
    </message>
    <message>
        <source>ワンハンドル</source>
        <translation>Combined handle</translation>
    </message>
    <message>
        <source>ボタン %1</source>
        <translation>Button %1</translation>
    </message>
    <message>
        <source>上</source>
        <translation>up</translation>
    </message>
    <message>
        <source>右</source>
        <translation>right</translation>
    </message>
    <message>
        <source>下</source>
        <translation>down</translation>
    </message>
    <message>
        <source>左</source>
        <translation>left</translation>
    </message>
    <message>
        <source>ハット %1 %2</source>
        <translation>Hat %1 %2</translation>
    </message>
    <message>
        <source>コントローラの割り当て</source>
        <translation>Controller mapping</translation>
    </message>
    <message>
        <source>%1を覚える</source>
        <translation>Learn %1</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>軸の割り当てを外す</source>
        <translation>Remove axis mapping</translation>
    </message>
    <message>
        <source>軸</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>均等に配置</source>
        <translation>Space evenly</translation>
    </message>
    <message>
        <source>力行段数</source>
        <translation>Power notches</translation>
    </message>
    <message>
        <source>ブレーキ段数</source>
        <translation>Brake notches</translation>
    </message>
    <message>
        <source>不感帯</source>
        <translation>Dead zone</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>ボタン</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>ボタンを割り当て</source>
        <translation>Assign button</translation>
    </message>
    <message>
        <source>外す</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>この機器の割り当てをすべて削除</source>
        <translation>Delete all mappings of this device</translation>
    </message>
    <message>
        <source>この配置で埋める</source>
        <translation>Fill with this layout</translation>
    </message>
    <message>
        <source>ひな形</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>ボタンと軸を固定の種類の配置で埋めます。固定の種類そのものは「コントローラ」メニューで選びます</source>
        <translation>Fills the buttons and axes with the layout of a fixed controller type. The fixed type itself is chosen in the Controller menu.</translation>
    </message>
    <message>
        <source>コントローラが接続されていません</source>
        <translation>No controller is connected</translation>
    </message>
    <message>
        <source>覚えるにはこの機器を接続してください</source>
        <translation>Connect this device to learn its controls</translation>
    </message>
    <message>
        <source>力行レバーを切（0）の位置にして「次へ」を押してください</source>
        <translation>Put the power lever in the off (0) position and press Next</translation>
    </message>
    <message>
        <source>ブレーキレバーを緩めの位置にして「次へ」を押してください</source>
        <translation>Put the brake lever in the release position and press Next</translation>
    </message>
    <message>
        <source>ハンドルを中立（切）にして「次へ」を押してください</source>
        <translation>Put the handle in neutral (off) and press Next</translation>
    </message>
    <message>
        <source>ブレーキレバーを非常の端まで動かして「次へ」を押してください</source>
        <translation>Move the brake lever to the emergency end and press Next</translation>
    </message>
    <message>
        <source>レバーを力行の最大の端まで動かして「次へ」を押してください</source>
        <translation>Move the lever to the full power end and press Next</translation>
    </message>
    <message>
        <source>動いた軸が見つかりません。レバーを端まで動かしてください</source>
        <translation>No axis moved. Move the lever all the way to its end</translation>
    </message>
    <message>
        <source>ハンドルを非常ブレーキの端まで動かして「次へ」を押してください</source>
        <translation>Move the handle to the emergency brake end and press Next</translation>
    </message>
    <message>
        <source>ブレーキ側の端が見つかりません。ハンドルを非常の端まで動かしてください</source>
        <translation>The brake end was not found. Move the handle to the emergency end</translation>
    </message>
    <message>
        <source>割り当てました。目盛りはドラッグで動かせます</source>
        <translation>Mapped. The notch marks can be dragged</translation>
    </message>
    <message>
        <source>「%1」に使うボタンを押してください</source>
        <translation>Press the button to use for “%1”</translation>
    </message>
    <message>
        <source>%1 を割り当てました</source>
        <translation>%1 assigned</translation>
    </message>
    <message>
        <source>%1  (%2)  未接続</source>
        <translation>%1  (%2)  not connected</translation>
    </message>
    <message>
        <source>軸 %1: %2</source>
        <translation>Axis %1: %2</translation>
    </message>
    <message>
        <source>%1 の配置で埋めました。</source>
        <translation>Filled with the layout of %1. </translation>
    </message>
    <message>
        <source>ハンドルは覚えさせてください</source>
        <translation>Let the dialog learn the handles.</translation>
    </message>
    <message>
        <source>レバーを動かして軸と目盛りを確かめてください</source>
        <translation>Move the levers to check the axes and notch marks.</translation>
    </message>
</context>
<context>
    <name>tovra::RunMenus</name>
    <message>
        <source>VMマスコン（設定）(&amp;P)</source>
        <translation>VM master controller (settings)(&amp;P)</translation>
    </message>
    <message>
        <source>VMマスコン（接続）(&amp;C)</source>
        <translation>VM master controller (connect)(&amp;C)</translation>
    </message>
    <message>
        <source>コントローラの割り当て…</source>
        <translation>Controller mapping…</translation>
    </message>
    <message>
        <source>デバッグオプション(&amp;D)</source>
        <translation>&amp;Debug options</translation>
    </message>
    <message>
        <source>運転状態を保存(&amp;S)</source>
        <translation>&amp;Save the run</translation>
    </message>
    <message>
        <source>運転状態を復元(&amp;L)</source>
        <translation>&amp;Load a saved run</translation>
    </message>
    <message>
        <source>VMマスコン（設定）</source>
        <translation>VM master controller (settings)</translation>
    </message>
    <message>
        <source>VMマスコン: %1</source>
        <translation>VM master controller: %1</translation>
    </message>
    <message>
        <source>標準/VMマスコン</source>
        <translation>Standard / VM master controller</translation>
    </message>
    <message>
        <source>Windows用電車でGO! コントローラ</source>
        <translation>Two-lever game controller (Windows)</translation>
    </message>
    <message>
        <source>PS用電車でGO! コントローラ</source>
        <translation>Two-lever game controller (adapter)</translation>
    </message>
    <message>
        <source>三鶯重工 OHC-PC01</source>
        <translation>One-handle controller OHC-PC01</translation>
    </message>
</context>
<context>
    <name>tovra::TForm1</name>
    <message>
        <source>◀ 戻る</source>
        <translation>◀ Back</translation>
    </message>
    <message>
        <source>操作説明(&amp;U)</source>
        <translation>How to drive(&amp;U)</translation>
    </message>
    <message>
        <source>解説なし(&amp;D)</source>
        <translation>No commentary(&amp;D)</translation>
    </message>
    <message>
        <source>かんたん運転台(&amp;E)</source>
        <translation>&amp;Easy cab</translation>
    </message>
    <message>
        <source>喚呼なし(&amp;K)</source>
        <translation>No call-outs(&amp;K)</translation>
    </message>
    <message>
        <source>停止位置ラインを表示しない(&amp;S)</source>
        <translation>Hide the &amp;stop lines</translation>
    </message>
    <message>
        <source>列車設定(&amp;P)</source>
        <translation>Train settings(&amp;P)</translation>
    </message>
    <message>
        <source>視覚効果OFF(&amp;V)</source>
        <translation>&amp;Visual effects off</translation>
    </message>
    <message>
        <source>文字表示モード切り替え(&amp;C)</source>
        <translation>Text display mode(&amp;C)</translation>
    </message>
    <message>
        <source>全画面表示(&amp;F)</source>
        <translation>&amp;Full screen</translation>
    </message>
    <message>
        <source>運転記録…</source>
        <translation>Run report…</translation>
    </message>
    <message>
        <source>リモート操作(&amp;R)…</source>
        <translation>&amp;Remote control…</translation>
    </message>
    <message>
        <source>ヴェルモラン</source>
        <translation>Velmoran</translation>
    </message>
</context>
<context>
    <name>tovra::TForm3</name>
    <message>
        <source>SU再読込</source>
        <translation>Reload SU</translation>
    </message>
    <message>
        <source>抵抗解除</source>
        <translation>Resistance off</translation>
    </message>
    <message>
        <source>[SpeedUnit]を読み直せませんでした。
</source>
        <translation>[SpeedUnit] could not be read again.
</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>BC圧(M車)</source>
        <translation>BC (motor car)</translation>
    </message>
    <message>
        <source>BC圧(T車)</source>
        <translation>BC (trailer)</translation>
    </message>
    <message>
        <source>電制</source>
        <translation>Elec. brake</translation>
    </message>
    <message>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>車両</source>
        <translation>Train</translation>
    </message>
    <message>
        <source>抵抗</source>
        <translation>Resistance</translation>
    </message>
    <message>
        <source>勾配</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>電流</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>エンジン回転数</source>
        <translation>Engine speed</translation>
    </message>
    <message>
        <source>ギア</source>
        <translation>Gear</translation>
    </message>
    <message>
        <source>ノッチ状態</source>
        <translation>Notches</translation>
    </message>
    <message>
        <source>摩擦</source>
        <translation>Adhesion</translation>
    </message>
    <message>
        <source>描画</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>次駅</source>
        <translation>Next station</translation>
    </message>
    <message>
        <source>残距離</source>
        <translation>Remaining</translation>
    </message>
    <message>
        <source>走行距離</source>
        <translation>Driven</translation>
    </message>
    <message>
        <source>先行列車</source>
        <translation>Train ahead</translation>
    </message>
    <message>
        <source>ATSP 距離/制限速度/パターン</source>
        <translation>ATS-P distance/limit/pattern</translation>
    </message>
    <message>
        <source>Limit 距離/制限速度/パターン</source>
        <translation>Limit distance/limit/pattern</translation>
    </message>
    <message>
        <source>Check 距離/制限速度/パターン</source>
        <translation>Check distance/limit/pattern</translation>
    </message>
    <message>
        <source>標識ID</source>
        <translation>Sign ID</translation>
    </message>
</context>
<context>
    <name>tovra::TForm6</name>
    <message>
        <source>かんたん運転台</source>
        <translation>Easy cab</translation>
    </message>
    <message>
        <source>ブレーキ</source>
        <translation>Brake</translation>
    </message>
    <message>
        <source>惰行</source>
        <translation>Coast</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>減速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>ニュートラル</source>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>（ニュートラル）</source>
        <translation>(neutral)</translation>
    </message>
    <message>
        <source>ドア開閉</source>
        <translation>Doors</translation>
    </message>
    <message>
        <source>案内放送</source>
        <translation>Announcement</translation>
    </message>
    <message>
        <source>巻戻し</source>
        <translation>Rewind</translation>
    </message>
    <message>
        <source>逆転器</source>
        <translation>Reverser</translation>
    </message>
</context>
<context>
    <name>tovra::TitleWindow</name>
    <message>
        <source>クリックしてください</source>
        <translation>Click to go on</translation>
    </message>
    <message>
        <source>読み込み中…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>オープニングムービーを開けません</source>
        <translation>Cannot open the opening movie</translation>
    </message>
    <message>
        <source>この路線を任意の列車で運転することができます</source>
        <translation>Drive this line with any train</translation>
    </message>
    <message>
        <source>列車データファイル (*.dat)</source>
        <translation>Train data files (*.dat)</translation>
    </message>
    <message>
        <source>Formを作成しています</source>
        <translation>Making the windows</translation>
    </message>
    <message>
        <source>DirectSoundを初期化できませんでした。</source>
        <translation>The sound device could not be started.</translation>
    </message>
</context>
<context>
    <name>tovra::Tjumpdlg</name>
    <message>
        <source>列車設定</source>
        <translation>Train settings</translation>
    </message>
    <message>
        <source>入</source>
        <translation>On</translation>
    </message>
    <message>
        <source>切</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>機関始動</source>
        <translation>Engine start</translation>
    </message>
    <message>
        <source>始動</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>運転</source>
        <translation>Run</translation>
    </message>
</context>
<context>
    <name>tovra::TkotaiStop</name>
    <message>
        <source>交代しますか？</source>
        <translation>Change crews?</translation>
    </message>
    <message>
        <source>乗務員交代駅です。</source>
        <translation>This is a crew-change station.</translation>
    </message>
    <message>
        <source>運転継続をクリックすると続けて運転します。</source>
        <translation>Click &quot;Drive on&quot; to go on driving.</translation>
    </message>
    <message>
        <source>運転継続</source>
        <translation>Drive on</translation>
    </message>
    <message>
        <source>運転終了</source>
        <translation>End the run</translation>
    </message>
</context>
</TS>
