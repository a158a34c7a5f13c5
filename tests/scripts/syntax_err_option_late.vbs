' Option Explicit only before every other statement.
Dim x
' comment
Option Explicit
