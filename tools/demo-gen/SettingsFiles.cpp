#include "demo-gen/SettingsFiles.h"

#include "demo-gen/DataText.h"
#include "demo-gen/LinePlan.h"
#include "demo-gen/PanelLayout.h"
#include "demo-gen/VehicleDesign.h"

namespace tovra::demo {

namespace {

// The key help: every key of the cab and what it does.
const std::vector<std::string>& keyHelp() {
    static const std::vector<std::string> lines{
        "■ 運転の基本",
        "  "
        "ドアが閉まり、戸閉灯が点いたら、逆転器を前進(F)にして、ブレーキを緩めて力行してください。",
        "  停止位置の前後 10 m の範囲に止まると、ドアが開きます。",
        "",
        "■ ワンハンドル車 (train_E231.dat、気動車)",
        "  Z       : 1段 力行側へ (ブレーキを1段緩める)",
        "  A       : 1段 ブレーキ側へ (力行を1段戻す)",
        "  Q       : 非常ブレーキ",
        "",
        "■ 2ハンドル車 (旧形電車)",
        "  Z / A   : 主幹制御器 1段 進める / 戻す",
        "  ,       : ブレーキを1段 緩める",
        "  .       : ブレーキを1段 かける",
        "  /       : 非常ブレーキ",
        "",
        "■ どの車両でも使えるキー (テンキー)",
        "  8 / 2   : 1段 力行側へ / ブレーキ側へ (マウスホイールも同じ)",
        "  5       : 中立 (力行もブレーキも切る)",
        "  0       : 非常ブレーキ",
        "  9 / W   : 力行モードの切り替え (ノッチが切のとき)",
        "  T       : 定速運転 (定速のある車両で、最終ノッチのとき)",
        "  F / N / B : 逆転器 前進 / 中立 / 後進 (停車中のみ)",
        "",
        "■ 警笛・合図",
        "  3       : 警笛 (押している間鳴ります)",
        "  6       : 電子笛",
        "  4       : ブザー (押している間鳴ります)",
        "",
        "■ 保安装置",
        "  スペース : ATS 確認 (警報が鳴ったら押してください)",
        "  R       : ATS 復帰 (非常ブレーキで停車中に)",
        "",
        "■ ワンマン運転 (快速)",
        "  D / 7   : ドアの開閉",
        "  C / 1   : 次の車内放送",
        "  -       : 車内放送を止めて一つ戻す",
        "  Page Up / Page Down : ドアを開ける側 左 / 右",
        "",
        "■ 喚呼",
        "  Enter   : 信号・標識・踏切の喚呼",
        "",
        "■ 気動車",
        "  F2          : エンジン始動 (押し続けてください)",
        "  Shift + F2  : エンジン停止 (押し続けてください)",
        "  W / S / X   : 変速レバー 2 / 0 / 1 (手動変速の車両)",
        "",
        "■ その他",
        "  Backspace   : 終点で停車中、折り返し",
        "  Scroll Lock : テンキーの 8 と 2 を入れ替える",
        "  F3          : 数値表示ウィンドウ",
        "  Shift + ↑ / ↓ : 運転台の表示位置を上下",
        "",
        "■ 試験用 (Shift を押しながら)",
        "  F1 / Shift + F1   : 映像に速度を合わせる 切 / 入",
        "  Shift + F3        : 次の信号機の手前へ",
        "  Shift + F5 / F6   : 映像を 100 フレーム 戻す / 進める",
        "  Shift + F7 / F8   : 映像を 1000 フレーム 戻す / 進める",
        "  Shift + F9 / F10  : 時計を 30 秒 戻す / 進める",
        "  Shift + F11 / F12 : 速度を 10 km/h 下げる / 上げる",
    };
    return lines;
}

void velmoran(const std::filesystem::path& root) {
    DataText t;
    t.line("; ヴェルモラン 設定ファイル (デモデータ生成プログラムが作成)");
    t.line(
        "; 1行目: 1秒あたりの物理計算回数, 映像の最終フレームの倍率 / スタフの位置 / 映像の幅 / "
        "映像の高さ / 暗転の追加高さ");
    t.section("[Disp]", {"30,1", "600", std::to_string(kVideoWidth), std::to_string(kVideoHeight),
                         std::to_string(kSurfaceHeight - kVideoHeight)});
    t.section("[Path]", {"move\\"});
    t.section("[Forward]", {"前進"}).section("[Neutral]", {"中立"}).section("[Reverse]", {"後進"});
    t.section("[Stop]", {" 停車"}).section("[Pass]", {" 通過"}).section("[Stop2]", {" 運転停車"});
    t.section("[Neut]", {"緩め"}).section("[Neut2]", {"切"}).section("[Apply]", {"常用"});
    t.section("[Maintain]", {"保ち"}).section("[Remove]", {"抜取"}).section("[Hold]", {"重なり"});
    t.section("[Hold2]", {"保持"}).section("[EB]", {"非常"}).section("[Const]", {"定速"});
    t.section("[Cars]", {"両編成 車掌乗務"});
    t.section("[TC]", {"保安装置の区間が変わりました"});
    t.section("[Stops]", {"停止位置まで", "次の停車駅まで"});
    t.section("[Doors]", {"左側のドア", "右側のドア"});
    t.section("[Gears]", {"中立", "変速", "直結"});
    t.list("[InfoLabel]", {
                              "次は 運転停車 (客扱いなし)",
                              "ドアが開いています。乗り降りが済んだらドアを閉めてください",
                              "停車駅パターン 動作中",
                              "停止信号まで ",
                              "制限区間まで ",
                              "(制限 ",
                              "照査中",
                              "区間",
                              "ホームは左側です。Page Up でドアの側を選んでください",
                              "ホームは右側です。Page Down でドアの側を選んでください",
                              "駅の映像を再生中です。ノッチを切ってください",
                              "保安装置のブレーキが動作しています",
                              "停止しました。ブレーキを非常にして R で復帰してください",
                              "ATS 警報です。スペースキーで確認してください",
                              "しばらく操作がありません。何かキーを押してください",
                              "注意信号です。速度を 45 km/h 以下に落としてください",
                              "減速信号です。速度を 75 km/h 以下に落としてください",
                              "警戒信号です。速度を 25 km/h 以下に落としてください",
                              " このままでは停止位置に止まれません",
                              "運転お疲れさまでした",
                              "ATS が切られています",
                              "終点です。Backspace で折り返すことができます",
                          });
    t.section("[Start]", {"一時停止(&S)"})
        .section("[Move]", {"移動(&M)"})
        .section("[Display]", {"表示(&D)"});
    t.section("[Control]", {"コントローラ(&C)"}).section("[Save]", {"保存(&S)"});
    t.save(root / "velmoran.dat");
}

void mascon(const std::filesystem::path& root) {
    // Five characters each, so that the codes matched by their beginning
    // match exactly.
    DataText t;
    for (const char* code : {"PWR01", "PWR02", "PWR03", "PWR04", "PWR05", "PWR06", "NEUTR", "BRK01",
                             "BRK02", "BRK03", "BRK04", "BRK05", "BRK06", "BRK07", "BRK08", "BRK09",
                             "REVFW", "REVNT", "REVRV", "BTNAK", "BTNHN", "BTNDR", "BTNAN"})
        t.line(code);
    t.line(
        "# 0-5 力行1-6, 6 中立, 7-15 ブレーキ1-9, 16-18 逆転器 前・中・後, 19-22 "
        "確認・警笛・ドア・放送");
    t.save(root / "mascon.dat");
}

void operation(const std::filesystem::path& root) {
    DataText t;
    t.line("操作説明 - ヴェルモラン");
    for (const auto& l : keyHelp()) t.line(l);
    t.save(root / "operation.dat");
}

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

void readme(const std::filesystem::path& root) {
    const LinePlan& plan = linePlan();
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>ヴェルモラン デモデータ</title>\n"
        "<style>body{font-family:sans-serif;max-width:48em;margin:2em auto;line-height:1.6}"
        "pre{background:#f4f4ee;padding:1em}td,th{padding:.2em .8em}</style>\n</head>\n<body>\n"
        "<h1>ヴェルモラン デモデータ</h1>\n"
        "<p>"
        "このデータはすべてプログラムで作られた架空の路線と車両です。実在の路線・車両とは関係ありま"
        "せん。</p>\n"
        "<h2>みなと線</h2>\n<p>北原から港町まで、6 駅・約 5.7 km の複線の郊外路線です。"
        "桜ヶ丘には待避線があり、川端と南台の間にトンネル、緑町と桜ヶ丘の間に踏切があります。</"
        "p>\n<table>\n"
        "<tr><th>駅</th><th>キロ程</th></tr>\n";
    for (const StationSite& s : plan.world.stations) {
        char row[160];
        std::snprintf(row, sizeof row, "<tr><td>%s</td><td>%.1f km</td></tr>\n", s.name.c_str(),
                      s.downStop / 1000.0);
        html += row;
    }
    html +=
        "</table>\n<h2>運転できる列車</h2>\n<ul>\n"
        "<li>下り 各駅停車 北原→港町 (車掌乗務、自動放送)</li>\n"
        "<li>下り 快速 北原→港町 (ワンマン運転。緑町は通過、川端は運転停車、南台は信号停車)</li>\n"
        "<li>上り 各駅停車 港町→北原</li>\n</ul>\n<h2>車両</h2>\n<ul>\n";
    for (const VehicleDesign& v : vehicleDesigns())
        html += "<li>" + escape(v.title) + " (" + escape(v.folder + v.fileName) + ")</li>\n";
    html +=
        "</ul>\n<p>路線を右クリックすると、ほかの車両ファイルを選べます。</p>\n<h2>操作方法</"
        "h2>\n<pre>\n";
    for (const auto& l : keyHelp()) html += escape(l) + "\n";
    html += "</pre>\n</body>\n</html>\n";
    saveBytes(root / "readme.html", html);
}

}  // namespace

void writeSettingsFiles(const std::filesystem::path& root) {
    velmoran(root);
    mascon(root);
    operation(root);
    readme(root);
}

}  // namespace tovra::demo
