# Where examples/mission-1-recorded.qs leaves the game: mission 1 done and paid, the second
# message waiting, 56 037 ms played (the calendar's 18th day came at 3000 + 17 x 3002 ms).
screens
expect Statistika.Label3.Caption 20 000
expect Statistika.Label2.Caption Málo známý
expect Statistika.Label1.Caption Není
expect board.Picture1.Visible False
expect board.Picture2.Visible True
expect board.Picture7.Visible True
expect comp1.Label5.Visible False
expect map1.Loaded False
expect miseok.Loaded False
expect wizard.Visible True
expect dny.Label2.Caption 8.12.2010
# The done icon only shows the notice again: nothing more is paid, no message comes back.
click board Picture7
expect miseok.Visible True
expect Statistika.Label3.Caption 20 000
expect board.Picture7.Visible True
expect Message.Loaded False
click miseok Picture1
# Mission 1's password no longer logs in once it is paid.
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click login Text1
type sysop
click login Text2
type vilemzahradka
click login Command1
expect security.Visible True
expect comp1.Visible False
