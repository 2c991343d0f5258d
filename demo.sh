#!/usr/bin/env bash
# Runs the whole chain on a sample folder it makes itself and prints the batch file it gives.
set -euo pipefail
cd "$(dirname "$0")"

bash cmake/install-missing.sh cmake:cmake ninja:ninja-build g++:g++
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
bin=$PWD/build/release/bin

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
# Four tracks written in an order their names do not show, and a file that is no MP3.
touch -d '2024-05-01 10:00:00' 'Intro.mp3'
touch -d '2024-05-01 10:03:00' '07 Song.mp3'
touch -d '2024-05-01 10:07:00' '02 - 50% Off.MP3'
touch -d '2024-05-01 10:12:00' 'CD2 Finale.mp3'
touch cover.jpg

echo "Sample folder: $(ls | tr '\n' ' ')"
"$bin/stamplist"
echo "--- liste.tmp (stamp::name, in directory order)"
cat liste.tmp
sort -t: -k1,1n liste.tmp > liste-s.txt
"$bin/stampcut"
echo "--- liste.txt (after sort and stampcut)"
cat liste.txt
"$bin/batchgen" renumm 1 2 >/dev/null
echo "--- renhlp-b.bat (batchgen renumm 1 2)"
cat renhlp-b.bat
