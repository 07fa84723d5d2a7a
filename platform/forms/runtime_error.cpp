#include "platform/forms/runtime_error.h"

#include <utility>

namespace forms {

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + ": " + description),
      number_(number),
      description_(std::move(description)) {}

RuntimeError RuntimeError::invalidProcedureCall() {
  return {5, "プロシージャの呼び出し、または引数が不正です。"};
}

RuntimeError RuntimeError::overflow() { return {6, "オーバーフローしました。"}; }

RuntimeError RuntimeError::floatingPointFault() {
  return {16, "浮動小数点数の演算結果が不正です。"};
}

RuntimeError RuntimeError::fileNotFound(const std::string& path) {
  return {53, "ファイルが見つかりません。(" + path + ")"};
}

RuntimeError RuntimeError::paintProgramNotFound(const std::string& programs) {
  return {53, "ペイントプログラムが見つかりません。" + programs +
                  " のいずれかをインストールしてください。"};
}

RuntimeError RuntimeError::invalidPropertyValue() { return {380, "プロパティの値が不正です。"}; }

RuntimeError RuntimeError::clipboardUnavailable() { return {521, "クリップボードを開けません。"}; }

RuntimeError RuntimeError::invalidKeyString(const std::string& keys, const std::string& reason) {
  return {5, "キー文字列が不正です (" + reason + "): \"" + keys + "\""};
}

RuntimeError RuntimeError::programWindowDidNotAppear(const std::string& program) {
  return {75, program + " のウィンドウが開きませんでした。キーは送られていません。"};
}

RuntimeError RuntimeError::programEndedBeforeItsWindow(const std::string& program,
                                                       const std::string& how) {
  return {75,
          program + " はウィンドウを開く前に終了しました (" + how + ")。キーは送られていません。"};
}

RuntimeError RuntimeError::programNotStarted(const std::string& path) {
  return {75, "プログラムを起動できませんでした。キーは送られていません。(" + path + ")"};
}

RuntimeError RuntimeError::screenUnreadable(const std::string& reason) {
  return {5, "画面を読み取れません: " + reason};
}

}  // namespace forms
