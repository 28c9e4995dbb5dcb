h
--8<--
files=*.vb *.vbs *.bas *.cls *.frm
case=0
str1="
delimiter=~!%^&*()-+=[]{}|\:;'<>,.?/
color_string=1515A3
color_comment=2008000
comment1='
comment2="REM "
comment3="Rem "

--8<--

--8<--
' sample.vb: a simple grade calculator, a small example of Visual Basic .NET.
Option Strict On
Imports System.Collections.Generic

Module GradeBook

    ' One student with the marks of the term.
    Public Class Student
        Public Property Name As String
        Public Property Marks As New List(Of Integer)

        Public Function Average() As Double
            If Marks.Count = 0 Then Return 0
            Dim total As Integer = 0
            For Each m As Integer In Marks
                total += m
            Next
            Return total / Marks.Count
        End Function
    End Class

    Function Grade(ByVal average As Double) As String
        Select Case average
            Case Is >= 90 : Return "A"
            Case Is >= 75 : Return "B"
            Case Is >= 60 : Return "C"
            Case Else : Return "F"
        End Select
    End Function

    Sub Main()
        Dim students As New List(Of Student) From {
            New Student With {.Name = "Mei", .Marks = New List(Of Integer) From {92, 88, 95}},
            New Student With {.Name = "Hao", .Marks = New List(Of Integer) From {70, 64, 81}}
        }
        For Each s As Student In students
            Dim avg As Double = s.Average()
            Console.WriteLine("{0,-8}{1,6:F1}  {2}", s.Name, avg, Grade(avg))
        Next
        REM wait so the console window stays open
        Console.ReadLine()
    End Sub

End Module
