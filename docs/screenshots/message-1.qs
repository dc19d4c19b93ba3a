# The board with the first message open.
wait 1600
click board Picture1
wait 500
shot docs/board-message-1.png
