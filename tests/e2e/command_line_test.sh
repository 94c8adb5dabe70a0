#!/usr/bin/env bash
# The command line against the generated data: the lookups users and scripts rely on.
set -uo pipefail
exe="$1"
fail=0
check() {  # check DESCRIPTION COMMAND... ; EXPECTED-PATTERN read from $expect
  local what="$1"; shift
  local out; out="$("$@" 2>&1)"
  if ! grep -qE -- "$expect" <<<"$out"; then echo "FAIL: $what: got $out"; fail=1; fi
}
export QT_QPA_PLATFORM=offscreen
expect='"code_line":"kb kbsk"';   check "啊" "$exe" --lookup 啊
expect='"code_line":"k khk"';     check "中" "$exe" --lookup 中
expect='"code_line":"x xc xcag"'; check "经" "$exe" --lookup 经
expect='"code_line":"g ggl ggll"'; check "一" "$exe" --lookup 一
expect='"found":false';           check "a" "$exe" --lookup a
expect='"phrases":\[[^]]*"国"';   check "中 国" "$exe" --lookup 中
expect='"phrases":\[[^]]*"文"';   check "中 文" "$exe" --lookup 中
expect='"pinyin":"a"';            check "pinyin of 啊" "$exe" --lookup 啊
expect='^啊 阿 ';                  check "--pinyin a" "$exe" --pinyin a
expect='庄';                       check "--pinyin zhuang" "$exe" --pinyin zhuang
expect='中';                       check "--strokes 25120" "$exe" --strokes 25120
expect='丰';                       check "--strokes 11120" "$exe" --strokes 11120
expect='^一 $';                    check "--strokes 10000" "$exe" --strokes 10000
"$exe" --bogus >/dev/null 2>&1; [[ $? -eq 2 ]] || { echo "FAIL: bad arguments must exit with 2"; fail=1; }
"$exe" --lookup >/dev/null 2>&1; [[ $? -eq 2 ]] || { echo "FAIL: a missing argument must exit with 2"; fail=1; }
# Never a character read zhu under zhuang.
for c in $("$exe" --pinyin zhu); do
  if "$exe" --pinyin zhuang | grep -q "$c"; then echo "FAIL: $c is listed under zhu and zhuang"; fail=1; fi
done
out="$(mktemp --suffix=.png)"
"$exe" --render 中 "$out" && [[ -s "$out" ]] || { echo "FAIL: --render wrote nothing"; fail=1; }
rm -f "$out"
# A picture that cannot be written (a full disk) is an error, with a message.
err="$("$exe" --render 中 /dev/full 2>&1 >/dev/null)"; status=$?
[[ $status -eq 1 && "$err" == *"/dev/full"* ]] || { echo "FAIL: --render to a full disk: status $status, $err"; fail=1; }
# The widget map that scripts drive the window by: every control by name, inside the window.
expect='^Text5 [0-9]+ [0-9]+ [0-9]+ [0-9]+$'; check "--widget-map Text5" "$exe" --widget-map
expect='^Combo5 '; check "--widget-map Combo5" "$exe" --widget-map
# A copy without its modules: the text modes work, the rest say which file they lack.
copy="$(mktemp -d)"; cp "$exe" "$copy/"
expect='"code_line":"k khk"'; check "a copy without modules looks up" "$copy/tessivo" --data-dir "$(dirname "$exe")" --lookup 中
err="$("$copy/tessivo" --widget-map 2>&1 >/dev/null)"; status=$?
[[ $status -eq 1 && "$err" == *"tessivo-window.so"* ]] ||
  { echo "FAIL: --widget-map without the window module: status $status, $err"; fail=1; }
cp "$(dirname "$exe")/tessivo-window.so" "$copy/"
err="$("$copy/tessivo" --capture-at 10,20 2>&1 >/dev/null)"; status=$?
[[ $status -eq 1 && "$err" == *"tessivo-screen-reader.so"* ]] ||
  { echo "FAIL: --capture-at without the screen-reading module: status $status, $err"; fail=1; }
rm -rf "$copy"
[[ $fail -eq 0 ]] && echo ok
exit $fail
