screens
wait 1599
print start.Visible
wait 1
screens
print start.Loaded
print start.Timer1.Enabled
wait 1399
print dny.Label2.Caption
wait 1
print dny.Label2.Caption
wait 3001
print dny.Label2.Caption
wait 1
print dny.Label2.Caption
