#!/usr/bin/env bash
# Records what every quorvane-cli command prints and writes on the bundled history, so
# that two builds can be compared byte for byte:
#   scripts/cli-compare.sh BUILD_DIR OUT_DIR
#   diff -r OUT_BEFORE OUT_AFTER      (no output: the two builds behave the same)
# Each case starts from a fresh copy of the shipped app folder and runs its calls in order;
# the exit code, stdout, stderr and a checksum of every file left in the folder are kept.
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
cli="$build/app/quorvane-cli"
seed="$build/app"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%s\r\n' "01 02 03 04 05 06 07 08 09 10" "05 09 13 17 21 25 29 33" > "$work/bets.txt"
printf '%s\r\n' "$(seq -f %02g -s ' ' 1 33)" > "$work/all33.txt"
printf '%s\r\n' "01 02 03 04 05 06+07" "05 09 13 17 21 25+01" "10 11 12 13 14 15+16" > "$work/list.txt"

case_no=0
run_case() { # name, then calls separated by ";;"
    local name=$1
    shift
    case_no=$((case_no + 1))
    local dir="$work/case$case_no"
    rm -rf "$dir"
    mkdir -p "$dir"
    for entry in "$seed"/*; do [ -d "$entry" ] && cp -r "$entry" "$dir/"; done
    local dest="$out/$(printf '%02d' $case_no)-$name"
    mkdir -p "$dest"
    local call=() step=0
    for word in "$@" ";;"; do
        if [ "$word" = ";;" ]; then
            step=$((step + 1))
            local rc=0
            (cd "$dir" && "$cli" --app-dir "$dir" "${call[@]}" >"$dest/$step.out" 2>"$dest/$step.err") || rc=$?
            echo "$rc" >"$dest/$step.rc"
            sed -i "s#$dir#APPDIR#g; s#$work#WORK#g" "$dest/$step.out" "$dest/$step.err"
            call=()
        else
            call+=("$word")
        fi
    done
    (cd "$dir" && find . -type f ! -name '*.tmp' -print0 | sort -z | xargs -0 md5sum) >"$dest/files.md5"
}

run_case startup startup ";;" startup ";;" --json startup
run_case recompute recompute ";;" refresh ";;" --json refresh
run_case analyses analyse-reference ";;" analyse-omission ";;" --json analyse-prediction ";;" analyse-prediction --off CheckBox1,CheckBox3
run_case kill kill-red --save "$work/kr.txt" ";;" --json kill-blue ";;" kill-blue --save "$work/kb.txt"
run_case indicators refresh-indicators ";;" export-red "$work/r.txt" ";;" export-blue "$work/b.txt" ";;" save-red-reference "$work/ref.txt"
run_case expand expand "$work/bets.txt" ";;" --json expand "$work/all33.txt"
run_case groups groups --issue 2009148 ";;" --json groups --issue 2010001 ";;" groups --line "2010002 01 02 03 04 05 06 07"
run_case filter filter --bets "$work/bets.txt" ";;" --json filter --bets "$work/all33.txt"
run_case filter-all filter --bets "$work/bets.txt" --select-all ";;" filter --bets "$work/bets.txt" --recommend
run_case filter-bad filter --bets "$work/bets.txt" --none --enable CheckBox20 --set Edit20=x ";;" filter --bets nope.txt
run_case purchase purchase --bets "$work/bets.txt" --filter-defaults --blues "01 05 09" --out "$work/p.txt" ";;" count "$work/p.txt" ";;" --json check "$work/p.txt"
run_case check check "$work/list.txt" ";;" check --draw "01 02 03 04 05 06 +07" "$work/list.txt" ";;" --json replay --draws 30 "$work/list.txt"
run_case trend trend --draws 30 ";;" --json trend --draws 20 --blue ";;" trend --draws 10 --csv "$work/t.csv"
run_case wheel wheel --reds "01 02 03 04 05 06 07 08 09 10" --guarantee 6-5 ";;" --json wheel --reds "01 03 05 07 09 11 13 15" --guarantee 5-4 --banker "20" --blues "02"
run_case import import "$work/list.txt" --dry-run ";;" import "$seed/data/data.txt" --dry-run
run_case misc version ";;" --json version ";;" no-such-command
for f in kr kb r b ref p t; do
    for ext in txt csv; do
        [ -f "$work/$f.$ext" ] && md5sum "$work/$f.$ext" | sed "s#$work#WORK#" >>"$out/outside-files.md5"
    done
done
echo "recorded $case_no cases in $out"
