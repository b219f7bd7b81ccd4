# Runs tessaline-cli as a user would and checks what it prints and how it exits.
file(MAKE_DIRECTORY ${WORK})

function(expect_run name expected_rc expected_regex)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${name}: exit ${rc}, expected ${expected_rc}\n${out}\n${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${expected_regex}")
    message(FATAL_ERROR "${name}: output does not match '${expected_regex}':\n${out}\n${err}")
  endif()
  message(STATUS "${name}: ok")
endfunction()

expect_run(games 0 "^1 Blind Alleys\n.*17 Klondike\n.*33 Westcliff\n$" games)
expect_run(shuffle_klondike_1 0 "^20 2 5 24 50 6 18 14 43 11 30 41 " shuffle "Klondike" 1)
expect_run(shuffle_unknown 2 "unknown game.*Westcliff" shuffle "Klondyke" 1)
expect_run(shuffle_letters 2 "not a game number" shuffle "Klondike" 12a)
expect_run(shuffle_too_big 2 "not a game number" shuffle "Klondike" 1000000000000000)
expect_run(shuffle_zero 2 "not a game number" shuffle "Klondike" 0)
expect_run(shuffle_15_digits 0 "^[0-9 ]+\n$" shuffle "Klondike" 999999999999999)
expect_run(deal_klondike_1 0 "^0 0: 51:51:u\n.*GoalBase 0\n$" deal "Klondike" 1)
expect_run(deal_unknown 2 "unknown game" deal "klondike" 1)
expect_run(unknown_command 2 "unknown command" frobnicate)

# Scores and the report, from a settings file and score files of this folder's own.
set(SCORES ${WORK}/scores)
file(REMOVE_RECURSE ${SCORES})
set(saved_config "$ENV{XDG_CONFIG_HOME}")
set(saved_data "$ENV{XDG_DATA_HOME}")
set(ENV{XDG_CONFIG_HOME} ${SCORES}/config)
set(ENV{XDG_DATA_HOME} ${SCORES}/data)
expect_run(scores_none 0 "^$" scores)
file(WRITE ${SCORES}/config/Tessaline/Tessaline.conf "[Users]\n1=Ann\n3=Bob\n100=Ann\n")
file(WRITE ${SCORES}/data/Tessaline/Ann.sre
  "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,1\r\n\"broken\r\n"
  "\"12/8/2026 1:45:36 PM\",\"Canister\",\"77\",5,6,-7,0\r\n")
file(WRITE ${SCORES}/data/Tessaline/Bob.sre "\"2026-01-02 03:04:05\",\"Westcliff\",9,60,10,20,1\r\n")
string(CONCAT scores_want
  "^Ann\\|2026-03-08 14:05:09\\|Klondike\\|123\\|312\\|87\\|45\\|1\n"
  "Ann\\|2026-12-08 13:45:36\\|Canister\\|77\\|5\\|6\\|-7\\|0\n"
  "Bob\\|2026-01-02 03:04:05\\|Westcliff\\|9\\|60\\|10\\|20\\|1\n$")
expect_run(scores_table 0 "${scores_want}" scores)
expect_run(scores_args 2 "takes no arguments" scores extra)
expect_run(export_report 0 "Exported to .*report.txt" export ${SCORES}/report.txt)
# Read as hex: a plain read would drop the CRs the report must hold.
file(READ ${SCORES}/report.txt report HEX)
foreach(part
    "Tessaline Score Board\r\n"
    "\r\nCreated By    Ann\r\n"
    "\r\n 3             2             1            0:06:17        103           58 \r\n"
    "\r\nBob            1             1             0            0:01:00        10            20 \r\n"
    "\r\nWestcliff                 1                1            0:01:00        10            20 \r\n")
  string(HEX "${part}" hex)
  string(FIND "${report}" "${hex}" at)
  if(at EQUAL -1)
    file(READ ${SCORES}/report.txt text)
    message(FATAL_ERROR "export_report: the report lacks '${part}':\n${text}")
  endif()
endforeach()
message(STATUS "export_report_content: ok")
expect_run(export_no_file 2 "one argument" export)
expect_run(export_unwritable 2 "not exported" export ${SCORES}/no/such/folder/report.txt)
set(ENV{XDG_CONFIG_HOME} "${saved_config}")
set(ENV{XDG_DATA_HOME} "${saved_data}")

# Pictures: a dealt table and the contact sheet, as PNG files of the expected size.
function(expect_png name file width_hex height_hex)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${name}: ${file} was not written")
  endif()
  file(READ ${file} signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${name}: ${file} is not a PNG (${signature})")
  endif()
  file(READ ${file} size OFFSET 16 LIMIT 8 HEX)
  if(NOT size STREQUAL "${width_hex}${height_hex}")
    message(FATAL_ERROR "${name}: ${file} has size ${size}, expected ${width_hex}${height_hex}")
  endif()
  message(STATUS "${name}: png ok")
endfunction()

# Pictures need the windows' drawing code: a build without windows has no render or sheet.
if(PICTURES)
  file(REMOVE ${WORK}/klondike.png ${WORK}/sheet.png ${WORK}/sheet2.png)
  expect_run(render_klondike 0 "^" render "Klondike" 1 ${WORK}/klondike.png)
  expect_png(render_klondike ${WORK}/klondike.png "00000408" "000002eb")
  expect_run(render_unknown 2 "unknown game" render "Klondyke" 1 ${WORK}/never.png)
  expect_run(render_bad_number 2 "not a game number" render "Klondike" x1 ${WORK}/never.png)
  expect_run(render_missing_file 2 "expected 3 arguments" render "Klondike" 1)
  expect_run(render_unwritable 2 "cannot write" render "Klondike" 1 ${WORK}/no-such-dir/k.png)
  if(EXISTS ${WORK}/never.png)
    message(FATAL_ERROR "render wrote a file after refusing its arguments")
  endif()
  expect_run(sheet 0 "^" sheet ${WORK}/sheet.png)
  expect_png(sheet ${WORK}/sheet.png "00000413" "00000370")
  expect_run(sheet_double 0 "^" sheet ${WORK}/sheet2.png 2)
  expect_png(sheet_double ${WORK}/sheet2.png "00000826" "000006e0")
  expect_run(sheet_bad_scale 2 "not a scale" sheet ${WORK}/sheet3.png 5)
  expect_run(sheet_unwritable 2 "cannot write" sheet ${WORK}/no-such-dir/s.png)
  expect_run(sheet_no_file 2 "sheet takes" sheet)
  # The table follows the stored background and deck.
  set(saved_config "$ENV{XDG_CONFIG_HOME}")
  set(ENV{XDG_CONFIG_HOME} ${WORK}/picture-config)
  file(WRITE ${WORK}/picture-config/Tessaline/Tessaline.conf "[Data]\nBGIndex=73\nDeckIndex=541\n")
  expect_run(render_wood 0 "^" render "Klondike" 1 ${WORK}/klondike-wood.png)
  set(ENV{XDG_CONFIG_HOME} "${saved_config}")
  expect_png(render_wood ${WORK}/klondike-wood.png "00000408" "000002eb")
  file(SHA256 ${WORK}/klondike.png plain_hash)
  file(SHA256 ${WORK}/klondike-wood.png wood_hash)
  if(plain_hash STREQUAL wood_hash)
    message(FATAL_ERROR "render_wood: the stored background and deck made no difference")
  endif()
endif()

# The deal as text: first and last lines, a foundation started by the first card, a face-up stock.
expect_run(deal_klondike_plus 0 "\n3 0: 0:20:u\n3 1:\n3 2:\n3 3:\nGoalBase 7\n$" deal "Klondike Plus" 1)
expect_run(deal_klondike_ak 0 "\n3 0: [0-9]+:0:u\n3 1: [0-9]+:13:u\n3 2: [0-9]+:38:u\n3 3: [0-9]+:51:u\n" deal "Klondike AK" 4)
expect_run(deal_open_stock 0 "\n1 0:( [0-9]+:[0-9]+:u)+\n" deal "Open Klondike" 1)
expect_run(deal_cone 0 "^0 0: 51:[0-9]+:u 50:[0-9]+:u\n" deal "Cone Klondike" 3)

# play reads its commands from standard input, one a line.
function(run_play name game number out_var rc_var)
  string(JOIN "\n" script ${ARGN})
  file(WRITE ${WORK}/${name}.txt "${script}\n")
  execute_process(COMMAND ${CLI} play ${game} ${number} INPUT_FILE ${WORK}/${name}.txt
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${out_var} "${out}${err}" PARENT_SCOPE)
  set(${rc_var} ${rc} PARENT_SCOPE)
endfunction()

function(expect_play name expected_rc expected_regex game number)
  run_play(${name} ${game} ${number} out rc ${ARGN})
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${name}: exit ${rc}, expected ${expected_rc}\n${out}")
  endif()
  if(NOT "${out}" MATCHES "${expected_regex}")
    message(FATAL_ERROR "${name}: output does not match '${expected_regex}':\n${out}")
  endif()
  message(STATUS "${name}: ok")
endfunction()

expect_play(play_nothing 0 "\nmoves 0\nwon 0\n$" "Klondike" 2)
expect_play(play_bad_word 2 "line 3: cannot read \"frobnicate\"" "Klondike" 2 "stock" "redo" "frobnicate" "stock")
expect_play(play_bad_args 2 "line 1: cannot read \"drag 38 0\"" "Klondike" 2 "drag 38 0")
expect_play(play_bad_pile 2 "line 2: cannot read" "Klondike" 2 "undo" "drag 38 0 21")
expect_play(play_trailing 2 "line 1: cannot read" "Klondike" 2 "undo now")
# Five of hearts onto the six of spades: the Ace of hearts under it turns up and goes home, the Two
# follows from pile 1, and the cards under both turn up.
expect_play(play_move 0 "^0 0: 51:51:u\n0 1: 50:22:u\n0 2: 49:7:u\n.*\n0 4: [0-9:d ]+ 29:18:u 38:4:u\n.*\n3 0: 43:0:u 44:1:u\n.*moves 3\nwon 0\n$"
            "Klondike" 2 "drag 38 0 4")
expect_play(play_refused 0 "moves 0\nwon 0\n$" "Klondike" 2 "drag 38 0 5")

# Undo after a move gives back the deal exactly, the uncovered card turned down again. The Four of
# clubs onto the Five of hearts sets nothing else off.
execute_process(COMMAND ${CLI} deal "Klondike" 2 OUTPUT_VARIABLE dealt RESULT_VARIABLE rc)
expect_play(play_four 0 "\n0 2: 49:7:d 43:0:d 38:4:u 26:42:u\n.*\n0 5: [0-9:d ]+ 28:16:u\n.*moves 1\n" "Klondike" 2
            "drag 26 0 2")
run_play(play_undo "Klondike" 2 undone rc "drag 26 0 2" "undo")
if(NOT rc EQUAL 0 OR NOT "${undone}" STREQUAL "${dealt}moves 0\nwon 0\n")
  message(FATAL_ERROR "play_undo: exit ${rc}, the layout after undo is not the deal:\n${undone}\n---\n${dealt}")
endif()
message(STATUS "play_undo: ok")

# Five cards on foundation 1 of Klondike 1 (found by a search over random legal games), the third of them
# the Three of hearts, which would fit on pile 5. Only a foundation's top card may be picked up: the
# drag of the Three changes nothing.
set(five_home
  stock stock stock stock stock stock "drag 33 0 4" stock stock stock stock stock stock stock stock
  "drag 10 0 5" stock "drag 9 0 0" stock stock stock stock stock "drag 44 0 2" stock stock stock stock marker
  stock stock stock stock stock stock stock stock stock stock "drag 13 0 5" stock stock stock stock stock
  stock stock stock stock marker "drag 50 0 0" stock stock stock stock stock "drag 24 0 1")
run_play(play_five_home "Klondike" 1 five_out rc ${five_home})
if(NOT rc EQUAL 0 OR NOT "${five_out}" MATCHES "\n3 1: 19:0:u 32:1:u 1:2:u 23:3:u 25:4:u\n")
  message(FATAL_ERROR "play_five_home: exit ${rc}, foundation 1 does not hold five cards:\n${five_out}")
endif()
run_play(play_mid_foundation "Klondike" 1 mid_out rc ${five_home} "drag 1 0 5")
if(NOT rc EQUAL 0 OR NOT "${mid_out}" STREQUAL "${five_out}")
  message(FATAL_ERROR "play_mid_foundation: exit ${rc}, a card under a foundation's top moved:\n${mid_out}")
endif()
message(STATUS "play_mid_foundation: ok")

# A whole game won, mostly by autoplay (found once by a search over random legal games).
set(won_game "drag 25 0 3" stock stock stock stock stock "drag 6 0 1" stock stock "drag 12 0 0" stock stock
             "drag 2 0 0" stock stock "drag 15 0 2" "drag 18 0 0" "drag 8 0 1" "drag 19 0 1")
string(REPEAT " [0-9]+:[0-9]+:u" 13 full)
expect_play(play_won 0 "^0 0:\n0 1:\n0 2:\n0 3:\n0 4:\n1 0:\n2 0:\n3 0:${full}\n3 1:${full}\nGoalBase 0\nmoves [0-9]+\nwon 1\n$"
            "Stripped Klondike" 106 ${won_game})
run_play(play_won_again "Stripped Klondike" 106 won_out rc ${won_game})
run_play(play_won_undone "Stripped Klondike" 106 replayed rc ${won_game} undoall redoall)
if(NOT rc EQUAL 0 OR NOT "${replayed}" STREQUAL "${won_out}")
  message(FATAL_ERROR "play_won_undone: undo all and redo all do not give the won game back:\n${replayed}")
endif()
message(STATUS "play_won_undone: ok")

# The solver: arguments, and in every game each won answer replays through play to a win.
expect_run(solve_bad_number 2 "not a game number" solve "Klondike" 1x)
expect_run(solve_bad_limit 2 "--limit-ms takes a whole number" solve "Klondike" 1 --limit-ms 0)
expect_run(play_bad_autoplay 2 "--autoplay takes a whole number from 0 to 1" play "Klondike" 1 --autoplay 2)
# Bounded by positions, not by the clock, so that a busy machine or the sanitizers cannot turn the
# answer into "unknown".
expect_run(solve_one 0 "^won\npositions [0-9]+\nseconds [0-9.]+\npositions-narrow [0-9]+\npositions-best [0-9]+\npositions-wide [0-9]+\nmoves [0-9]+\n(drag|stock|marker)"
  solve "Klondike" 2 --limit-ms 600000 --limit-nodes 100000)
expect_run(winnable_counts 0 "^[0-9]+ (won|lost|unknown) [0-9]+ [0-9.]+\n.*won [0-9]+ lost [0-9]+ unknown [0-9]+\nrate [0-9.]+% \\(95% [0-9.]+%-[0-9.]+%\\)\npositions [0-9]+\ndeals per second [0-9.]+\n$"
           winnable "Stripped Klondike" 1 4 --limit-ms 100 --jobs 2 --each)
expect_run(winnable_bad_count 2 "not a deal count" winnable "Klondike" 1 0)
# number: drawn as New Game draws it, within the range; with --winnable, from the shipped list (whose
# Klondike keys include those of 1, 2 and 3).
expect_run(number_range 0 "^[1-9]\n$" number "Klondike" --range 1)
expect_run(number_winnable 0 "^[1-9]\n$" number "Klondike" --winnable --range 1)
expect_run(number_bad_game 2 "number takes \"<game>\"" number "Klondike Nope")
expect_run(number_bad_range 2 "--range takes a whole number from 1 to 15" number "Klondike" --range 16)
# A hint in every game: its sentence, then its move as a play command, which the engine takes.
expect_run(hint_bad_autoplay 2 "--autoplay takes a whole number from 0 to 1" hint "Spiderette" 1 --autoplay 2)
foreach(game "Spiderette" "Klondike" "King Albert")
  foreach(autoplay 1 0)
    execute_process(COMMAND ${CLI} hint ${game} 1 --autoplay ${autoplay} --limit-ms 300
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out)
    if(NOT rc EQUAL 0 OR NOT out MATCHES "^(Hint|Suggested): [^\n]+\n(drag [0-9]+ [0-9]+ [0-9]+|stock|marker)\n$")
      message(FATAL_ERROR "hint ${game} 1 --autoplay ${autoplay}: exit ${rc}\n${out}")
    endif()
    string(REGEX MATCH "(drag [0-9]+ [0-9]+ [0-9]+|stock|marker)\n$" step "${out}")
    file(WRITE ${WORK}/hinted.txt "${step}")
    execute_process(COMMAND ${CLI} play ${game} 1 --autoplay ${autoplay} INPUT_FILE ${WORK}/hinted.txt
                    RESULT_VARIABLE rc OUTPUT_VARIABLE played)
    if(NOT rc EQUAL 0 OR NOT played MATCHES "\nmoves [1-9][0-9]*\n")
      message(FATAL_ERROR "hint ${game} 1 --autoplay ${autoplay}: the engine refuses ${step}\n${played}")
    endif()
  endforeach()
endforeach()
execute_process(COMMAND ${CLI} games OUTPUT_VARIABLE games_out)
string(REGEX REPLACE "[0-9]+ ([^\n]+)\n" "\\1;" games "${games_out}")
set(won_total 0)
# Both settings: without autoplay the solver sends cards home itself and holds moves back until used.
foreach(autoplay 1 0)
  foreach(game ${games})
    foreach(number 1 2)
      execute_process(COMMAND ${CLI} solve ${game} ${number} --limit-ms 600000 --limit-nodes 8000
                              --autoplay ${autoplay} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
      if(NOT rc EQUAL 0 OR NOT out MATCHES "^(won|lost|unknown)\n")
        message(FATAL_ERROR "solve ${game} ${number} --autoplay ${autoplay}: exit ${rc}\n${out}")
      endif()
      if(out MATCHES "^won\n")
        string(REGEX MATCHALL "(drag [0-9]+ [0-9]+ [0-9]+|stock|marker)\n" lines "${out}")
        string(CONCAT script ${lines})
        file(WRITE ${WORK}/solved.txt "${script}")
        execute_process(COMMAND ${CLI} play ${game} ${number} --autoplay ${autoplay} INPUT_FILE ${WORK}/solved.txt
                        RESULT_VARIABLE rc OUTPUT_VARIABLE played)
        if(NOT rc EQUAL 0 OR NOT played MATCHES "\nwon 1\n$")
          message(FATAL_ERROR "solve ${game} ${number} --autoplay ${autoplay}: the moves do not replay to a win:\n"
                              "${out}\n---\n${played}")
        endif()
        math(EXPR won_total "${won_total} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
# The node limit makes the count the same on every machine.
if(won_total LESS 20)
  message(FATAL_ERROR "solve_replays: only ${won_total} deals won, too few to check the replays")
endif()
message(STATUS "solve_replays: ${won_total} won deals replay to a win")
