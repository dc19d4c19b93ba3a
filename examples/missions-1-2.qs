# Missions 1 and 2, from the first message to the second reward, in script mode:
#   quillon --script examples/missions-1-2.qs
# Every expect must hold; a FAIL line means the game went wrong.

wait 1600
expect Statistika.Label3.Caption 0

# --- Mission 1: delete xsoft-5088-6.dat on 155.8.13.76 -----------------------------------
click board Picture1
expect Message.Visible True
# Both attachments: "Proxy bypass" and "Files wizard".
click Message Picture2
click Message Picture3
expect Programy.Command6.Visible True
expect Programy.Command3.Visible True

click connect Picture1
expect ip.Visible True
# The third character moves on by itself; a shorter part needs Enter.
type 155
type 8
key 13
type 13
key 13
type 76
expect ip.Text1.Text 155
expect ip.Text2.Text 8
expect ip.Text3.Text 13
expect ip.Text4.Text 76
click ip Command1
expect ip.Loaded False
expect map1.Visible True
expect login.Visible True
expect map1.Label7.Caption Neaktivní

click Programy Command6
expect map1.Line5.Visible True
expect map1.Line6.Visible True
expect map1.Line7.Visible True
click Programy Command1
expect cracking.Visible True
expect map1.Label7.Caption 200
wait 20999
expect cracking.Visible True
wait 1
expect cracking.Loaded False
expect login.Text1.Text sysop
expect login.Text2.Text vilemzahradka
# The trace runs on: 105 ticks gone of 200.
expect map1.Label7.Caption 95

click login Command1
expect comp1.Visible True
expect login.Visible False
click Programy Command3
expect wizard.Visible True
click comp1 Command7
expect comp1.Label5.Visible False
expect Statistika.Label2.Caption Málo známý

click map1 Command1
expect map1.Loaded False
expect comp1.Visible False
expect security.Visible False
expect Statistika.Label1.Caption Není

click Message Command1
expect Message.Loaded False
expect board.Picture1.Visible False
expect board.Picture6.Visible True
click board Picture6
expect miseok.Visible True
expect Statistika.Label3.Caption 20 000
expect board.Picture7.Visible True
expect board.Picture2.Visible True
click miseok Picture1

# --- Mission 2: copy the documents of the case Vlasak on 234.122.126.9 ---------------------
click board Picture2
expect Message2.Visible True
click connect Image1
type 234
type 122
type 126
type 9
click ip Command1
expect map1.Visible True
expect map1.Label7.Caption Neaktivní
expect map1.Line5.Visible False
expect login.Visible True
expect login.Text1.Text 

click Programy Command6
click Programy Command1
expect map1.Label7.Caption 200
wait 21000
expect login.Text2.Text ivanbartosek
click login Command1
expect Comp2.Visible True
# The wizard of mission 1 is still open: the permission outlasts the connection.
expect wizard.Visible True
click Comp2 Command4
expect kopírování.Visible True
expect Comp2.Label6.Visible True
expect Statistika.Label2.Caption Středně známý
click kopírování Picture1

click map1 Command1
expect map1.Loaded False
click Message2 Command1
expect board.Picture8.Visible True
click board Picture8
expect Statistika.Label3.Caption 56 000
expect board.Picture9.Visible True
expect board.Picture3.Visible True
expect Statistika.Label1.Caption Není
screens
